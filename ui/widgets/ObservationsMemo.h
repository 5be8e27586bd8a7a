#pragma once

#include "core/ObservationLines.h"

#include <QStringList>
#include <QTextEdit>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrix {

class NoticeBox;

// The observations memo. It wraps its text at its width; a save stores the
// lines it displays or, where those are too many, the text's own lines
// (ObservationLines.h). An edit after which the file could hold neither, or
// that types a character the file cannot hold, is undone; an edit that
// shortens the text is always kept, so an overfull text can be mended.
// A refusal is never silent: a refused key beeps, and a paste or a drop
// refused for its size shows a notice saying how much the memo holds.
class ObservationsMemo : public QTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = static_cast<int>(kMaxObservationLines);

    explicit ObservationsMemo(QWidget* parent = nullptr);
    ~ObservationsMemo() override;

    QStringList displayedLines() const;
    // The text with '\n' between its paragraphs and every character kept
    // (toPlainText() turns no-break spaces into blanks).
    QString text() const;
    void setLines(const QStringList& lines);

    // The Windows-1252 lines a save stores, or nothing when the file can
    // hold the text neither as displayed nor as typed.
    std::optional<std::vector<std::string>> storableLines() const;
    // The lines to give the sheet: the storable ones, else the displayed
    // ones, which are then more than a save accepts.
    std::vector<std::string> sheetLines() const;

    // What a refused key sounds like: the desktop's beep. Tests count
    // instead of listening.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // "As observações guardam no máximo ...", made when first needed.
    NoticeBox* sizeNotice() const { return m_sizeNotice.get(); }

signals:
    // The user changed the text (not emitted by setLines).
    void edited();

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;

private:
    void acceptOrUndo();
    void sayRefused(bool forSize); // false: for a character the file cannot hold

    QString m_acceptedText;
    bool m_settingText = false;
    // Set while pasted or dropped text goes in, which a notice answers.
    bool m_insertingData = false;
    bool m_insertRefused = false;
    std::function<void()> m_beep;
    std::unique_ptr<NoticeBox> m_sizeNotice;
};

} // namespace kestrix

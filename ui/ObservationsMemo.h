#pragma once

#include "ObservationLines.h"

#include <QStringList>
#include <QTextEdit>
#include <optional>
#include <string>
#include <vector>

namespace kestrix {

// The observations memo. It wraps its text at its width; a save stores the
// lines it displays or, where those are too many, the text's own lines
// (ObservationLines.h). An edit after which the file could hold neither, or
// that types a character the file cannot hold, is undone; an edit that
// shortens the text is always kept, so an overfull text can be mended.
class ObservationsMemo : public QTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = static_cast<int>(kMaxObservationLines);

    explicit ObservationsMemo(QWidget* parent = nullptr);

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

signals:
    // The user changed the text (not emitted by setLines).
    void edited();

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    void acceptOrUndo();

    QString m_acceptedText;
    bool m_settingText = false;
};

} // namespace kestrix

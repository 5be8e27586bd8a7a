#pragma once

#include <QStringList>
#include <QTextEdit>

namespace kestrix {

// The observations memo. Its lines are the lines it displays, wrapped at its
// width, as the character file stores them; an edit that would need more
// lines than the file holds, or a character the file cannot hold, is undone.
class ObservationsMemo : public QTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 10;

    explicit ObservationsMemo(QWidget* parent = nullptr);

    QStringList displayedLines() const;
    void setLines(const QStringList& lines);

signals:
    // The user changed the text (not emitted by setLines).
    void edited();

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    void acceptOrUndo();

    QString m_acceptedText;
    int m_acceptedCursor = 0;
    bool m_settingText = false;
};

} // namespace kestrix

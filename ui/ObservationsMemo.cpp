#include "ObservationsMemo.h"

#include "TextConversion.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextLayout>

namespace kestrix {

ObservationsMemo::ObservationsMemo(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QTextEdit::textChanged, this, &ObservationsMemo::acceptOrUndo);
}

QStringList ObservationsMemo::displayedLines() const {
    QTextDocument* doc = document();
    doc->setTextWidth(viewport()->width());
    doc->documentLayout()->documentSize(); // lays out every block
    QStringList lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QString text = block.text();
        if (!layout || layout->lineCount() == 0 || text.isEmpty()) {
            lines.append(QString());
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.append(text.mid(line.textStart(), line.textLength()));
        }
    }
    // The empty line after a final line break is not a line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void ObservationsMemo::setLines(const QStringList& lines) {
    QScopedValueRollback guard(m_settingText, true);
    setPlainText(lines.join('\n'));
    m_acceptedText = toPlainText();
    m_acceptedCursor = 0;
}

void ObservationsMemo::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        QMimeData plain;
        plain.setText(source->text());
        QTextEdit::insertFromMimeData(&plain);
    }
}

void ObservationsMemo::acceptOrUndo() {
    if (m_settingText)
        return;
    const QString text = toPlainText();
    if (fitsWindows1252(text) && displayedLines().size() <= kMaxLines) {
        m_acceptedText = text;
        m_acceptedCursor = textCursor().position();
        emit edited();
        return;
    }
    QScopedValueRollback guard(m_settingText, true);
    setPlainText(m_acceptedText);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(m_acceptedCursor, static_cast<int>(m_acceptedText.size())));
    setTextCursor(cursor);
}

} // namespace kestrix

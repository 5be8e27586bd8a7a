#include "ui/widgets/ObservationsMemo.h"

#include "platform/TextConversion.h"
#include "ui/dialogs/NoticeBox.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace kestrix {

ObservationsMemo::ObservationsMemo(QWidget* parent)
    : QTextEdit(parent), m_beep([] { QApplication::beep(); }) {
    setAcceptRichText(false);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QTextEdit::textChanged, this, &ObservationsMemo::acceptOrUndo);
}

ObservationsMemo::~ObservationsMemo() = default;

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
    m_acceptedText = text();
}

QString ObservationsMemo::text() const {
    QStringList paragraphs;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        paragraphs.append(block.text());
    return paragraphs.join('\n');
}

namespace {

std::vector<std::string> toWindows1252Lines(const QStringList& lines) {
    std::vector<std::string> converted;
    converted.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        converted.push_back(toWindows1252(line));
    return converted;
}

} // namespace

std::optional<std::vector<std::string>> ObservationsMemo::storableLines() const {
    return observationLinesToStore(toWindows1252Lines(displayedLines()), toWindows1252(text()));
}

std::vector<std::string> ObservationsMemo::sheetLines() const {
    if (auto lines = storableLines())
        return std::move(*lines);
    return toWindows1252Lines(displayedLines());
}

void ObservationsMemo::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    QScopedValueRollback inserting(m_insertingData, true);
    const QString text = source->text();
    // No text the file holds is longer than ten full lines with their
    // breaks: a longer one is refused before it is laid out, which for
    // a megabyte of text would keep the window busy for minutes.
    constexpr auto kMostStorable = kMaxObservationLines * (kMaxObservationLineLength + 1);
    if (static_cast<std::size_t>(text.size()) > kMostStorable) {
        sayRefused(true);
        return;
    }
    QMimeData plain;
    plain.setText(text);
    QTextEdit::insertFromMimeData(&plain);
}

void ObservationsMemo::dropEvent(QDropEvent* event) {
    // A drop changes the text as one step, judged once it has ended.
    QScopedValueRollback inserting(m_insertingData, true);
    m_insertRefused = false;
    QTextEdit::dropEvent(event);
    // Text refused here stays where it came from: a move would delete it
    // there.
    if (m_insertRefused && event->isAccepted())
        event->setDropAction(Qt::CopyAction);
}

void ObservationsMemo::acceptOrUndo() {
    if (m_settingText)
        return;
    const QString current = text();
    const auto grown = current.size() - m_acceptedText.size();
    if (fitsWindows1252(current) && (grown < 0 || storableLines())) {
        m_acceptedText = current;
        emit edited();
        return;
    }
    // The caret goes back to where the refused text was typed.
    const auto position = textCursor().position() - std::max<qsizetype>(grown, 0);
    {
        QScopedValueRollback guard(m_settingText, true);
        setPlainText(m_acceptedText);
        QTextCursor cursor = textCursor();
        cursor.setPosition(
            static_cast<int>(std::clamp<qsizetype>(position, 0, m_acceptedText.size())));
        setTextCursor(cursor);
    }
    sayRefused(fitsWindows1252(current));
}

void ObservationsMemo::sayRefused(bool forSize) {
    m_insertRefused = m_insertingData;
    if (!m_insertingData || !forSize) {
        m_beep();
        return;
    }
    if (!m_sizeNotice) {
        m_sizeNotice = std::make_unique<NoticeBox>(
            "msgObservacoes", "Atenção",
            "As observações guardam no máximo 10 linhas de até 255 caracteres.");
        // Closing the notice hands the keyboard back to the memo, to shorten
        // the text or to go on typing.
        connect(m_sizeNotice.get(), &QDialog::finished, this, [this] {
            if (!isVisible())
                return;
            activateWindow();
            setFocus(Qt::ActiveWindowFocusReason);
        });
    }
    m_sizeNotice->showNotice();
}

} // namespace kestrix

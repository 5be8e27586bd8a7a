#include "ui/dialogs/Help.h"

#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"

#include <QFile>
#include <QPlainTextEdit>

namespace kestrix {

namespace {

QString helpText() {
    QFile file(":/help/ajuda.txt");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    // The file's last line ends with a newline; the memo shows no empty line
    // after it.
    if (text.endsWith('\n'))
        text.chop(1);
    return text;
}

} // namespace

TfrmHelp::TfrmHelp() : QWidget(nullptr, windowFlagsFor(WindowKind::Main)) {
    setUpWindow(this, "frmHelp", "Ajuda", 561, 401);
    const FormControl layout[] = {form::textView("mmoHelp", 0, 0, 561, 401)};
    buildForm(this, layout);
    mmoHelp = formControl<QPlainTextEdit>(this, "mmoHelp");
    mmoHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The window is made at start-up, its text only when it is first shown:
// laying out some hundred and twenty paragraphs has no place in start-up.
void TfrmHelp::fillText() {
    if (m_filled)
        return;
    m_filled = true;
    mmoHelp->setPlainText(helpText());
}

QPlainTextEdit* TfrmHelp::text() {
    fillText();
    return mmoHelp;
}

void TfrmHelp::showEvent(QShowEvent* event) {
    fillText();
    QWidget::showEvent(event);
}

void TfrmHelp::showHelp() {
    if (!m_placed) {
        centreOnScreen(this);
        m_placed = true;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace kestrix

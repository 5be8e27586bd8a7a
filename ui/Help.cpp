#include "Help.h"

#include "WindowFont.h"
#include "WindowPlacement.h"

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

TfrmHelp::TfrmHelp()
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName("frmHelp");
    setWindowTitle(QString::fromUtf8("Ajuda"));
    setFont(windowFont());
    setFixedSize(561, 401);

    mmoHelp = new QPlainTextEdit(this);
    mmoHelp->setObjectName("mmoHelp");
    mmoHelp->setGeometry(0, 0, 561, 401);
    mmoHelp->setReadOnly(true);
    mmoHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmoHelp->setPlainText(helpText());
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

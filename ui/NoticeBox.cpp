#include "NoticeBox.h"

#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kestrix {

NoticeBox::NoticeBox(const char* objectName, const char* caption, const char* text)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::WindowStaysOnTopHint) {
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(caption));
    setFont(windowFont());
    setFixedSize(261, 64);

    m_text = new QLabel(QString::fromUtf8(text), this);
    m_text->move(8, 8);
    m_text->adjustSize();

    m_ok = new QPushButton(QString::fromUtf8("OK"), this);
    m_ok->setObjectName("BitBtn1");
    m_ok->setGeometry(93, 31, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &NoticeBox::BitBtn1Click);
}

void NoticeBox::showNotice() {
    if (!isVisible())
        centreOnScreen(this);
    m_ok->setFocus();
    show();
    raise();
    activateWindow();
}

void NoticeBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void NoticeBox::BitBtn1Click() {
    accept();
}

} // namespace kestrix

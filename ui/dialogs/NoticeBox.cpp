#include "ui/dialogs/NoticeBox.h"

#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kestrix {

NoticeBox::NoticeBox(const char* objectName, const char* caption, const char* text)
    : QDialog(nullptr, windowFlagsFor(WindowKind::Notice)) {
    setUpWindow(this, objectName, caption, 261, 64);
    const FormControl layout[] = {
        form::label(text, 8, 8).named("Label1"),
        form::button("BitBtn1", "OK", 93, 31, 75, 25),
    };
    buildForm(this, layout);
    m_text = formControl<QLabel>(this, "Label1");
    m_ok = formControl<QPushButton>(this, "BitBtn1");
    // A text longer than the notice is wide widens it, its margins kept and
    // OK centred below: a notice cut short says less than it was meant to.
    const int width = m_text->width() + 2 * m_text->x();
    if (width > this->width()) {
        setFixedWidth(width);
        m_ok->move((width - m_ok->width()) / 2, m_ok->y());
    }
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

#include "ui/dialogs/ErrorBox.h"

#include "ui/form/ApplicationTitle.h"
#include "ui/form/WindowFont.h"

#include <QMessageBox>

namespace kestrix {

void showErrorBox(QWidget* parent, const Error& error) {
    // A box is centred on its parent; during start-up the main window is not
    // placed yet, and the box goes to the middle of the screen instead.
    if (parent && !parent->window()->isVisible())
        parent = nullptr;
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(error.message) + ".", QMessageBox::Ok, parent);
    box.setObjectName("errorBox");
    // Messages name files, and a file's name is never markup.
    box.setTextFormat(Qt::PlainText);
    box.setFont(windowFont());
    box.exec();
}

} // namespace kestrix

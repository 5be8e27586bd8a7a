#include "ErrorBox.h"

#include "ApplicationTitle.h"

#include <QMessageBox>

namespace kestrix {

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), message + ".",
                    QMessageBox::Ok, parent);
    box.setObjectName("errorBox");
    box.exec();
}

} // namespace kestrix

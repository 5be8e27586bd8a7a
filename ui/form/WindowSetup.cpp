#include "ui/form/WindowSetup.h"

#include <QWidget>

namespace kestrix {

Qt::WindowFlags windowFlagsFor(WindowKind kind) {
    // Fixed-size windows, each with no more title-bar buttons than it needs.
    const Qt::WindowFlags fixedSize = Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint;
    switch (kind) {
    case WindowKind::Main:
        return Qt::Window | fixedSize | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
               Qt::WindowCloseButtonHint;
    case WindowKind::Dialog:
        return Qt::Dialog | fixedSize | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    case WindowKind::Notice:
        return windowFlagsFor(WindowKind::Dialog) | Qt::WindowStaysOnTopHint;
    case WindowKind::NoTitleKeys:
        return Qt::Dialog | fixedSize | Qt::CustomizeWindowHint;
    }
    return Qt::Dialog | fixedSize;
}

void setUpWindow(QWidget* window, const char* objectName, const char* caption, int width,
                 int height) {
    if (objectName)
        window->setObjectName(objectName);
    window->setWindowTitle(QString::fromUtf8(caption));
    window->setFont(windowFont());
    window->setFixedSize(width, height);
}

} // namespace kestrix

#pragma once

#include <QApplication>

namespace kestrix {

// Fonts, printers and dialogs need an application object; tests share one.
inline void ensureQtApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "print_qt_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

} // namespace kestrix

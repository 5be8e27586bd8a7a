#pragma once

#include "ui/form/WindowFont.h"

#include <Qt>

class QWidget;

namespace kestrix {

// The title-bar buttons a fixed-size window offers.
enum class WindowKind {
    Main,        // title, system menu, minimise, close: the main and help windows
    Dialog,      // title, system menu, close: the about box and the save prompts
    Notice,      // as a dialog, and above every other window
    NoTitleKeys, // a title bar without buttons: the add dialogs, left by their own buttons
};

Qt::WindowFlags windowFlagsFor(WindowKind kind);

// Names a window, gives it its caption and the window font, and fixes its size.
void setUpWindow(QWidget* window, const char* objectName, const char* caption, int width,
                 int height);

} // namespace kestrix

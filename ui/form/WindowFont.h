#pragma once

#include <QFont>

namespace kestrix {

// The font of every window of the program, its notices, prompts, menus and
// error box included. Their fixed layouts are measured in it, so none of
// them may fall back on the desktop's default font.
QFont windowFont();

} // namespace kestrix

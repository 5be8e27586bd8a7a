#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kestrix {

// The sheet keeps Windows-1252 bytes; Qt speaks Unicode. Texts cross here,
// at the window boundary, and nowhere else.
QString toQString(std::string_view windows1252);
// Characters the code page cannot hold never reach this: the edit boxes
// refuse them. Should one slip through, it becomes "?".
std::string toWindows1252(const QString& text);
bool fitsWindows1252(const QString& text);

} // namespace kestrix

#pragma once

#include <string>

namespace kestrix {

// Appends the UTF-8 bytes of one code point (at most U+10FFFF). The one
// encoder of the program: the Windows-1252 texts of a character, the SVG the
// metafile converter writes and the allow-list's own reading all use it.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace kestrix

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Every text the program keeps is single-byte Windows-1252, as the files hold
// it. These convert at the edges: the window and the JSON output speak Unicode.

// The Unicode code point of one Windows-1252 byte. The five bytes the code
// page leaves undefined (81, 8D, 8F, 90, 9D) map to the C1 controls of the
// same value, so every byte survives a round trip.
char32_t windows1252ToUnicode(unsigned char byte);

// The Windows-1252 byte for a code point, if the code page holds it.
std::optional<unsigned char> unicodeToWindows1252(char32_t codePoint);

std::string windows1252ToUtf8(std::string_view text);

// A text in the system's encoding (UTF-8), such as a path, as Windows-1252: a
// character the code page cannot hold becomes '?'. A byte that is not part of
// well-formed UTF-8 is taken as the Windows-1252 character of that byte, so a
// name written by an older single-byte system keeps its letters.
std::string utf8ToWindows1252(std::string_view text);

// Whether a text read from a file is UTF-8 rather than Windows-1252: it is
// well-formed UTF-8 and holds at least one multi-byte sequence. A plain ASCII
// text reads the same either way; Windows-1252 accents almost never form
// well-formed UTF-8 by chance.
bool isUtf8WithMultiByteSequence(std::string_view text);

} // namespace kestrix

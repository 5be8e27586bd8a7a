#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// A character's name (Windows-1252, free text) made fit to suggest as a
// file name: every control character, a NUL among them, and every '/'
// becomes '-', so that the name stays one name in the folder offered and
// nothing after a NUL can be cut off on the way to the file system.
std::string fileNameFromCharacterName(std::string_view windows1252Name);

} // namespace kestrix

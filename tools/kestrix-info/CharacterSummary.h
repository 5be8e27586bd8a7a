#pragma once

#include "core/CharacterData.h"
#include "core/Totals.h"
#include "storage/FileError.h"

#include <string>

namespace kestrix {

// Everything kestrix-info reports about one character file.
struct CharacterSummary {
    std::string file; // the path as given on the command line
    CharacterData data;
    Totals totals;
    // The path the file was last saved under, as the file itself holds it.
    std::string recordFileName;
};

// Reads the character file at `path` once, without ever writing to it. A
// pipe works as well as a file (/dev/stdin, a process substitution); a
// directory, a device or a socket is refused at once. On failure `summary` is
// left as it was.
Result loadCharacterSummary(const std::string& path, CharacterSummary& summary);

} // namespace kestrix

#pragma once

#include "core/Error.h"
#include "document/DataFolders.h"
#include "platform/Picture.h"

#include <QString>
#include <optional>
#include <string>

namespace kestrix {

// Where the picture a character stores was found, or why it was not.
struct PictureLocation {
    QString file; // empty when not found, or when no path is stored
    Result error;
    // The path to store instead of the stored one when the picture was
    // found elsewhere (beside the character or in the user's data folder),
    // as the character file holds it; none when the stored path holds, or
    // when the found path does not fit a character file.
    std::optional<std::string> movedTo;
};

// The picture a character's sheet shows, or why it has none (the picture is
// then empty).
struct CharacterPicture {
    Picture picture;
    Result error;
    std::optional<std::string> movedTo; // as in PictureLocation
};

// Finds the picture whose path a character stores, the one way the window,
// printing and both PDF exports do: a bare name (every new character stores
// "modelo.bmp") is a data file, looked up through `folders` so that the
// user's copy comes first; any other relative path is taken from the
// program's folder; an absolute path is taken as it is. A character shared
// with its picture stores the path on another machine, so when that path
// names nothing, a file of the same name (after the last '/' or '\') is
// looked for beside `characterFile` (none when empty) and then in the user's
// data folder. Nothing found fails with FileNotFound; a path holding a NUL
// (it would name another file) with InvalidFilename.
[[nodiscard]] PictureLocation locateCharacterPicture(const std::string& storedPath,
                                                     const std::string& characterFile,
                                                     const DataFolders& folders);

// Finds the picture as locateCharacterPicture does and loads it: no path
// means the default picture; a file that cannot be loaded fails with the
// loader's message.
[[nodiscard]] CharacterPicture lookUpCharacterPicture(const std::string& storedPath,
                                                      const std::string& characterFile,
                                                      const DataFolders& folders);

} // namespace kestrix

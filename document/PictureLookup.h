#pragma once

#include "core/Error.h"
#include "document/DataFolders.h"
#include "platform/Picture.h"

#include <string>

namespace kestrix {

// The picture a character's sheet shows, or why it has none (the picture is
// then empty).
struct CharacterPicture {
    Picture picture;
    Result error;
};

// Looks up the picture whose path a character stores, the one way the
// window, printing and both PDF exports do: no path means the default
// picture; a bare name (every new character stores "modelo.bmp") is a data
// file, looked up through `folders` so that the user's copy comes first; any
// other relative path is taken from the program's folder; an absolute path is
// taken as it is. A file that is not there fails with FileNotFound, a path
// holding a NUL (it would name another file) with InvalidFilename, a file
// that cannot be loaded with the loader's message.
[[nodiscard]] CharacterPicture lookUpCharacterPicture(const std::string& storedPath,
                                                      const DataFolders& folders);

} // namespace kestrix

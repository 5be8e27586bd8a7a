#pragma once

#include "core/Catalogue.h"
#include "storage/FileError.h"

#include <cstddef>
#include <string>

namespace kestrix {

// The largest catalogue file read: far above any real catalogue (a million
// entries take about 20 MB), and small enough to hold in memory at once.
constexpr std::size_t kMaxCatalogueFileBytes = 64 * 1024 * 1024;

// Replaces `catalogue`'s entries with those of one catalogue file, opened
// for reading only and read whole before parsing. A file larger than
// maxBytes, or one that is not a regular file (a FIFO or a device, which may
// never end), is refused unread with a message naming it, and so is one of
// more than Catalogue::kMaxEntries entries. On a failure the catalogue keeps
// what it held.
Result loadCatalogueFile(const std::string& path, Catalogue& catalogue,
                         std::size_t maxBytes = kMaxCatalogueFileBytes);

// Writes a catalogue file's bytes to `path` safely (see replaceFileSafely),
// creating its folder and those above it as needed. An existing file that
// could not be a catalogue (see Catalogue::couldBeCatalogueFile) is refused
// and left as it was, and so is a path that holds a NUL.
Result saveCatalogueFile(const std::string& path, const std::string& bytes);

// Removes a data file; one already gone is no failure.
Result removeDataFile(const std::string& path);

// A data file's error as the user sees it: prefixed with the file's name.
Error dataFileError(const std::string& path, const Error& error);

} // namespace kestrix

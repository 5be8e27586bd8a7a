#pragma once

#include "Catalogue.h"
#include "FileError.h"

#include <cstddef>
#include <string>

namespace kestrix {

// The largest catalogue file read: far above any real catalogue (a million
// entries take about 20 MB), and small enough to hold in memory at once.
constexpr std::size_t kMaxCatalogueFileBytes = 64 * 1024 * 1024;

// Replaces `catalogue`'s entries with those of one catalogue file, opened
// for reading only and read whole before parsing. A file larger than
// maxBytes, or one that is not a regular file (a FIFO or a device, which may
// never end), is refused unread with a message naming it. On a failure the
// catalogue keeps what it held.
Result loadCatalogueFile(const std::string& path, Catalogue& catalogue,
                             std::size_t maxBytes = kMaxCatalogueFileBytes);

} // namespace kestrix

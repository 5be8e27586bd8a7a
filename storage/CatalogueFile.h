#pragma once

#include "Catalogue.h"
#include "FileError.h"

#include <string>

namespace kestrix {

// Replaces `catalogue`'s entries with those of one catalogue file, opened
// for reading only and read whole before parsing. On a failure the
// catalogue keeps what it held.
FileResult loadCatalogueFile(const std::string& path, Catalogue& catalogue);

} // namespace kestrix

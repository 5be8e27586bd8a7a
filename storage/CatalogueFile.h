#pragma once

#include "Catalogue.h"
#include "FileError.h"

#include <string>

namespace kestrix {

// Loads one catalogue file (opened for reading only) into `catalogue`. On a
// failure the catalogue keeps what was read before it.
FileResult loadCatalogueFile(const std::string& path, Catalogue& catalogue);

} // namespace kestrix

#include "CatalogueFile.h"

#include "FileSystem.h"

namespace kestrix {

FileResult loadCatalogueFile(const std::string& path, Catalogue& catalogue) {
    ReadResult read = readWholeFile(path);
    if (read.error)
        return read.error;
    catalogue.assign(std::move(read.bytes));
    return std::nullopt;
}

} // namespace kestrix

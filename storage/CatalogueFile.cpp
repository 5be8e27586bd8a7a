#include "CatalogueFile.h"

#include "FileSystem.h"

#include <new>

namespace kestrix {
namespace {

std::string sizeText(std::size_t bytes) {
    constexpr std::size_t kKilobyte = 1024;
    constexpr std::size_t kMegabyte = kKilobyte * kKilobyte;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0)
        return std::to_string(bytes / kMegabyte) + " MB";
    if (bytes >= kKilobyte && bytes % kKilobyte == 0)
        return std::to_string(bytes / kKilobyte) + " KB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// Catalogue messages name the file: both are read at start-up, and the
// message box has nothing else to tell them apart.
Error catalogueError(const std::string& path, const std::string& problem) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return Error{0, name + ": " + problem};
}

} // namespace

Result loadCatalogueFile(const std::string& path, Catalogue& catalogue, std::size_t maxBytes) {
    using Refusal = BoundedReadResult::Refusal;
    try {
        BoundedReadResult read = readRegularFile(path, maxBytes);
        if (read.error)
            return read.error;
        switch (read.refused) {
        case Refusal::None:
            break;
        case Refusal::NotRegularFile:
            return catalogueError(path, "Catalogue file is not a regular file");
        case Refusal::TooLarge:
            return catalogueError(path,
                                  "Catalogue file too large (at most " + sizeText(maxBytes) + ")");
        }
        catalogue.assign(std::move(read.bytes));
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return catalogueError(path, "Not enough memory to read the catalogue");
    }
}

} // namespace kestrix

#include "storage/CatalogueFile.h"

#include "storage/FileSystem.h"
#include "storage/FolderTree.h"
#include "storage/Paths.h"
#include "storage/SaveTarget.h"

#include <cerrno>
#include <new>
#include <unistd.h>

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

// A path that holds a NUL would name another file once it reaches the
// system, which stops at the NUL; it is named as far as the NUL.
Result refuseNul(const std::string& path) {
    if (!holdsNul(path))
        return std::nullopt;
    return dataFileError(path.substr(0, path.find('\0')),
                         fileError(FileErrorCode::InvalidFilename));
}

// How much of an existing file is looked at to tell whether it is a
// catalogue: enough to meet the binary bytes of any picture, character or
// PDF.
constexpr std::size_t kKindCheckBytes = 64 * 1024;

// A catalogue is written only over a file that could be one (or none): the
// file a save would replace, through its links, is looked at first.
Result refuseFileOfAnotherKind(const std::string& path) {
    SaveTarget target;
    if (resolveSaveTarget(path, target) != 0 || !target.exists || !S_ISREG(target.status.st_mode))
        return std::nullopt; // the save itself reports these
    const ReadResult head = readRegularFilePrefix(target.path, kKindCheckBytes);
    if (head.error)
        return dataFileError(path, *head.error);
    if (!Catalogue::couldBeCatalogueFile(head.bytes))
        return dataFileError(path, Error{0, "Not a catalogue file; it was left as it was"});
    return std::nullopt;
}

} // namespace

Error dataFileError(const std::string& path, const Error& error) {
    // The name tells apart the data files read together at start-up.
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return Error{error.code, name + ": " + error.message};
}

Result loadCatalogueFile(const std::string& path, Catalogue& catalogue, std::size_t maxBytes) {
    using Refusal = BoundedReadResult::Refusal;
    if (Result error = refuseNul(path))
        return error;
    try {
        BoundedReadResult read = readRegularFile(path, maxBytes);
        if (read.error)
            return dataFileError(path, *read.error);
        switch (read.refused) {
        case Refusal::None:
            break;
        case Refusal::NotRegularFile:
            return dataFileError(path, Error{0, "Catalogue file is not a regular file"});
        case Refusal::TooLarge:
            return dataFileError(
                path, Error{0, "Catalogue file too large (at most " + sizeText(maxBytes) + ")"});
        }
        if (Result error = catalogue.assign(std::move(read.bytes)))
            return dataFileError(path, *error);
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return dataFileError(path, Error{0, "Not enough memory to read the catalogue"});
    }
}

Result saveCatalogueFile(const std::string& path, const std::string& bytes) {
    if (Result error = refuseNul(path))
        return error;
    if (Result error = refuseFileOfAnotherKind(path))
        return error;
    // Only for its owner to read, as the base directory rules ask of a data
    // folder.
    if (const int error = makeFolderTree(directoryOf(path), 0700))
        return dataFileError(path, fileErrorFromErrno(error, path));
    if (Result error = replaceFileSafely(path, bytes))
        return dataFileError(path, *error);
    return std::nullopt;
}

Result removeDataFile(const std::string& path) {
    if (Result error = refuseNul(path))
        return error;
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
        return dataFileError(path, fileErrorFromErrno(errno, path));
    return std::nullopt;
}

} // namespace kestrix

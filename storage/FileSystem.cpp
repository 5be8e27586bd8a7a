#include "FileSystem.h"

#include "Paths.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

bool isDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

FileError fileErrorFromErrno(int errnoValue, const std::string& path) {
    switch (errnoValue) {
    case ENOENT:
        return FileError::fromCode(!path.empty() && isDirectory(directoryOf(path)) ? 2 : 3);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FileError::fromCode(3);
    case EMFILE:
    case ENFILE:
        return FileError::fromCode(4);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return FileError::fromCode(5);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError::fromCode(101);
    default:
        // Built here rather than from the code: EIO is 5, and must not read
        // as "File access denied".
        return FileError{errnoValue, "I/O error " + std::to_string(errnoValue)};
    }
}

ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        result.error = fileErrorFromErrno(errno, path);
        return result;
    }
    // A regular file says how big it is: one buffer a byte larger than that
    // holds it whole and sees its end, with no growing and copying on the way.
    // Anything else, or a file that grows meanwhile, is read in chunks.
    constexpr std::size_t kChunk = 64 * 1024;
    std::size_t room = kChunk;
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
        room = static_cast<std::size_t>(status.st_size) + 1;
    std::size_t had = 0;
    result.bytes.resize(std::min(room, maxBytes));
    while (had < maxBytes) {
        if (had == result.bytes.size())
            result.bytes.resize(had + std::min(kChunk, maxBytes - had));
        const ssize_t got = read(fd, result.bytes.data() + had, result.bytes.size() - had);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                result.error = fileErrorFromErrno(errno, path);
            break;
        }
        had += static_cast<std::size_t>(got);
    }
    result.bytes.resize(had);
    // Nothing was written through this descriptor, so closing it cannot lose
    // data; its result says nothing the caller could act on.
    close(fd);
    return result;
}

bool isExistingFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

} // namespace kestrix

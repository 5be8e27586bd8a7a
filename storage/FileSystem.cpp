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
    constexpr std::size_t kChunk = 64 * 1024;
    while (result.bytes.size() < maxBytes) {
        const std::size_t had = result.bytes.size();
        result.bytes.resize(had + std::min(kChunk, maxBytes - had));
        const ssize_t got = read(fd, result.bytes.data() + had, result.bytes.size() - had);
        if (got < 0 && errno == EINTR) {
            result.bytes.resize(had);
            continue;
        }
        if (got <= 0) {
            result.bytes.resize(had);
            if (got < 0)
                result.error = fileErrorFromErrno(errno, path);
            break;
        }
        result.bytes.resize(had + static_cast<std::size_t>(got));
    }
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

#include "FileSystem.h"

#include "Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <limits>
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

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

int openForReading(const std::string& path, int extraFlags) {
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | extraFlags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads from `fd` until its end or until maxBytes came, into a first buffer
// of `room` bytes that grows by chunks when the file is longer.
FileResult readOpenFile(int fd, const std::string& path, std::size_t room, std::size_t maxBytes,
                        std::string& bytes) {
    FileResult error;
    std::size_t had = 0;
    bytes.resize(std::min(room, maxBytes));
    while (had < maxBytes) {
        if (had == bytes.size())
            bytes.resize(had + std::min(kReadChunk, maxBytes - had));
        const ssize_t got = read(fd, bytes.data() + had, bytes.size() - had);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got < 0)
                error = fileErrorFromErrno(errno, path);
            break;
        }
        had += static_cast<std::size_t>(got);
    }
    bytes.resize(had);
    return error;
}

} // namespace

ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    const int fd = openForReading(path, 0);
    if (fd < 0) {
        result.error = fileErrorFromErrno(errno, path);
        return result;
    }
    // A regular file says how big it is: one buffer a byte larger than that
    // holds it whole and sees its end, with no growing and copying on the way.
    // Anything else, or a file that grows meanwhile, is read in chunks.
    std::size_t room = kReadChunk;
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
        room = static_cast<std::size_t>(status.st_size) + 1;
    result.error = readOpenFile(fd, path, room, maxBytes, result.bytes);
    // Nothing was written through this descriptor, so closing it cannot lose
    // data; its result says nothing the caller could act on.
    close(fd);
    return result;
}

BoundedReadResult readRegularFile(const std::string& path, std::size_t maxBytes) {
    using Refusal = BoundedReadResult::Refusal;
    BoundedReadResult result;
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = openForReading(path, O_NONBLOCK);
    if (fd < 0) {
        result.error = fileErrorFromErrno(errno, path);
        return result;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0)
        result.error = fileErrorFromErrno(errno, path);
    else if (S_ISDIR(status.st_mode))
        result.error = fileErrorFromErrno(EISDIR, path);
    else if (!S_ISREG(status.st_mode))
        result.refused = Refusal::NotRegularFile;
    else if (static_cast<std::uintmax_t>(status.st_size) > maxBytes)
        result.refused = Refusal::TooLarge;
    else {
        // One byte past the limit tells a file that grew meanwhile, or one
        // that does not know its size (as under /proc), from one that fits.
        const std::size_t bound =
            maxBytes == std::numeric_limits<std::size_t>::max() ? maxBytes : maxBytes + 1;
        result.error = readOpenFile(fd, path, static_cast<std::size_t>(status.st_size) + 1, bound,
                                    result.bytes);
        if (!result.error && result.bytes.size() > maxBytes)
            result.refused = Refusal::TooLarge;
    }
    if (result.error || result.refused != Refusal::None)
        result.bytes = std::string();
    close(fd);
    return result;
}

bool isExistingFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

} // namespace kestrix

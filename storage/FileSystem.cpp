#include "storage/FileSystem.h"

#include "storage/Paths.h"

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

Error fileErrorFromErrno(int errnoValue, const std::string& path) {
    switch (errnoValue) {
    case ENOENT:
        return fileError(!path.empty() && isDirectory(directoryOf(path))
                             ? FileErrorCode::FileNotFound
                             : FileErrorCode::InvalidFilename);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return fileError(FileErrorCode::InvalidFilename);
    case EMFILE:
    case ENFILE:
        return fileError(FileErrorCode::TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return fileError(FileErrorCode::AccessDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return fileError(FileErrorCode::DiskFull);
    default:
        // Built here rather than from the code: EIO is 5, and must not read
        // as "File access denied".
        return Error{errnoValue, "I/O error " + std::to_string(errnoValue)};
    }
}

namespace {

// Reads from an open descriptor and closes it. `known` is what the caller's
// own fstat of it said, if it made one.
void readOpenFile(int fd, std::size_t maxBytes, const std::string& path, ReadResult& result,
                  const struct stat* known = nullptr) {
    // A regular file says how big it is: one buffer a byte larger than that
    // holds it whole and sees its end, with no growing and copying on the way.
    // Anything else, or a file that grows meanwhile, is read in chunks.
    constexpr std::size_t kChunk = 64 * 1024;
    std::size_t room = kChunk;
    struct stat status {};
    if (known != nullptr)
        status = *known;
    else if (fstat(fd, &status) != 0)
        status.st_mode = 0;
    if (S_ISREG(status.st_mode))
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
}

// Opens for reading, again when a signal interrupts; -1 with errno set on
// failure.
int openForReading(const std::string& path, int extraFlags) {
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | extraFlags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool isRegularFile(mode_t mode) {
    return S_ISREG(mode);
}

bool isRegularFileOrPipe(mode_t mode) {
    return S_ISREG(mode) || S_ISFIFO(mode);
}

// A file opened for reading, or why not: `error` is an errno value, or 0
// with `fd` -1 for a file of a kind the caller does not accept, whose mode
// `status` then holds.
struct OpenedFile {
    int fd = -1;
    int error = 0;
    struct stat status {};
};

// Opens `path` for reading only when it is of a kind `accepted` takes. The
// kind is looked at before opening, so no device is ever opened (opening
// one can rewind a tape, arm a watchdog or take a terminal) and a socket is
// refused like the rest; the open itself never waits (a named pipe swapped
// in meanwhile would wait for a writer, a terminal line for its carrier) and
// never makes a terminal the controlling one; what was opened is looked at
// again, in case the name changed hands in between.
OpenedFile openIfAccepted(const std::string& path, bool (*accepted)(mode_t)) {
    OpenedFile opened;
    if (holdsNul(path)) {
        opened.error = ENAMETOOLONG;
        return opened;
    }
    if (stat(path.c_str(), &opened.status) == 0 && !accepted(opened.status.st_mode))
        return opened;
    opened.fd = openForReading(path, O_NONBLOCK | O_NOCTTY);
    if (opened.fd < 0) {
        opened.error = errno;
        return opened;
    }
    if (fstat(opened.fd, &opened.status) != 0) {
        opened.error = errno;
    } else if (accepted(opened.status.st_mode)) {
        return opened;
    }
    close(opened.fd);
    opened.fd = -1;
    return opened;
}

ReadResult readWithoutWaiting(const std::string& path, std::size_t maxBytes, bool pipesToo,
                              struct stat* status = nullptr) {
    ReadResult result;
    const OpenedFile opened = openIfAccepted(path, pipesToo ? isRegularFileOrPipe : isRegularFile);
    if (status != nullptr)
        *status = opened.status;
    if (opened.fd < 0) {
        result.error = fileErrorFromErrno(opened.error ? opened.error : EACCES, path);
        return result;
    }
    // A pipe's reader waits for what its writer sends, up to its end. A
    // regular file never waits, whatever its flags say.
    if (S_ISFIFO(opened.status.st_mode)) {
        const int flags = fcntl(opened.fd, F_GETFL);
        if (flags < 0 || fcntl(opened.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            result.error = fileErrorFromErrno(errno, path);
            close(opened.fd);
            return result;
        }
    }
    readOpenFile(opened.fd, maxBytes, path, result, &opened.status);
    return result;
}

} // namespace

ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    if (holdsNul(path)) {
        result.error = fileErrorFromErrno(ENAMETOOLONG, path);
        return result;
    }
    const int fd = openForReading(path, 0);
    if (fd < 0) {
        result.error = fileErrorFromErrno(errno, path);
        return result;
    }
    readOpenFile(fd, maxBytes, path, result);
    return result;
}

ReadResult readRegularFilePrefix(const std::string& path, std::size_t maxBytes) {
    return readWithoutWaiting(path, maxBytes, false);
}

ReadResult readRegularFilePrefix(const std::string& path, std::size_t maxBytes,
                                 struct stat& status) {
    return readWithoutWaiting(path, maxBytes, false, &status);
}

ReadResult readFileOrPipePrefix(const std::string& path, std::size_t maxBytes) {
    return readWithoutWaiting(path, maxBytes, true);
}

BoundedReadResult readRegularFile(const std::string& path, std::size_t maxBytes) {
    using Refusal = BoundedReadResult::Refusal;
    BoundedReadResult result;
    const OpenedFile opened = openIfAccepted(path, isRegularFile);
    if (opened.error)
        result.error = fileErrorFromErrno(opened.error, path);
    else if (opened.fd < 0 && S_ISDIR(opened.status.st_mode))
        result.error = fileErrorFromErrno(EISDIR, path);
    else if (opened.fd < 0)
        result.refused = Refusal::NotRegularFile;
    else if (static_cast<std::uintmax_t>(opened.status.st_size) > maxBytes)
        result.refused = Refusal::TooLarge;
    if (result.error || result.refused != Refusal::None) {
        if (opened.fd >= 0)
            close(opened.fd);
        return result;
    }
    // One byte past the limit tells a file that grew meanwhile, or one that
    // does not know its size (as under /proc), from one that fits.
    const std::size_t bound =
        maxBytes == std::numeric_limits<std::size_t>::max() ? maxBytes : maxBytes + 1;
    ReadResult read;
    readOpenFile(opened.fd, bound, path, read, &opened.status);
    result.error = read.error;
    if (!result.error && read.bytes.size() > maxBytes)
        result.refused = Refusal::TooLarge;
    else if (!result.error)
        result.bytes = std::move(read.bytes);
    return result;
}

bool isExistingFile(const std::string& path) {
    struct stat status {};
    return !holdsNul(path) && stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

} // namespace kestrix

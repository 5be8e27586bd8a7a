#include "storage/InPlaceWrite.h"

#include "storage/FileWrite.h"
#include "storage/SignalIgnored.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kestrix {
namespace {

int openExisting(const std::string& path, int access) {
    int fd;
    do {
        fd = open(path.c_str(), access | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The first `size` bytes of the file, which the new bytes will cover.
int readCovered(int fd, std::size_t size, std::string& covered) {
    covered.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = pread(fd, covered.data() + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            break; // shorter than it said: nothing more to keep
        done += static_cast<std::size_t>(got);
    }
    covered.resize(done);
    return 0;
}

int allocate(int fd, off_t offset, off_t length) {
    int result;
    do {
        result = fallocate(fd, 0, offset, length);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Makes sure a file of `size` bytes can become `length` bytes long before
// anything is written: within the process's file-size limit, and with the
// blocks it grows by reserved. A file system that cannot reserve is asked
// for its free space instead, which another writer may still take first.
int makeRoom(int fd, off_t size, std::size_t length) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        length > limit.rlim_cur)
        return EFBIG;
    const off_t wanted = static_cast<off_t>(length);
    if (wanted <= size)
        return 0;
    const int error = allocate(fd, size, wanted - size);
    if (error != EOPNOTSUPP && error != ENOSYS)
        return error;
    struct statvfs disk {};
    if (fstatvfs(fd, &disk) != 0)
        return 0; // nothing known: the write itself will tell
    const std::uintmax_t free = static_cast<std::uintmax_t>(disk.f_bavail) * disk.f_frsize;
    return free < static_cast<std::uintmax_t>(wanted - size) ? ENOSPC : 0;
}

// Puts back what a failed save changed: the covered bytes and the length.
void putBack(int fd, const std::string& covered, off_t size) {
    writeAllAt(fd, covered, 0);
    while (ftruncate(fd, size) != 0 && errno == EINTR) {
    }
    syncFile(fd);
}

} // namespace

int writeInPlace(const std::string& path, std::string_view bytes) {
    // Reserving room past the file-size limit raises SIGXFSZ as a write does.
    SignalIgnored fileSizeLimit(SIGXFSZ);
    bool keepsOldBytes = true;
    int fd = openExisting(path, O_RDWR);
    if (fd < 0 && errno == EACCES) {
        keepsOldBytes = false;
        fd = openExisting(path, O_WRONLY);
    }
    if (fd < 0)
        return errno;
    struct stat status {};
    int error = fstat(fd, &status) != 0 ? errno : !S_ISREG(status.st_mode) ? EACCES : 0;
    const off_t size = status.st_size;
    std::string covered;
    if (error == 0 && keepsOldBytes)
        error = readCovered(fd, std::min<std::size_t>(static_cast<std::size_t>(size), bytes.size()),
                            covered);
    // From here on the file may change: any failure puts it back.
    bool mayHaveChanged = false;
    if (error == 0) {
        mayHaveChanged = true;
        error = makeRoom(fd, size, bytes.size());
    }
    if (error == 0)
        error = writeAllAt(fd, bytes, 0);
    if (error == 0)
        error = syncFile(fd);
    // Cut only once the new bytes are on the disk: until then the old
    // bytes past the new end are still there to be kept. Once the cut is
    // made they are gone, so a failure to sync it is only reported.
    if (error == 0 && size > static_cast<off_t>(bytes.size())) {
        if (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
            error = errno;
        } else if (const int syncError = syncFile(fd)) {
            error = syncError;
            mayHaveChanged = false;
        }
    }
    // Without the old bytes (a file the user may not read) at least the
    // old length comes back.
    if (error != 0 && mayHaveChanged)
        putBack(fd, covered, size);
    if (close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

} // namespace kestrix

#include "storage/FileWrite.h"

#include "storage/SignalIgnored.h"

#include <cerrno>
#include <unistd.h>

namespace kestrix {
namespace {

// Writes through `write` (plain or positioned) until all is written.
template <typename Write> int writeEverything(std::string_view bytes, Write write) {
    SignalIgnored fileSizeLimit(SIGXFSZ);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(bytes.data() + done, bytes.size() - done, done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return ENOSPC;
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

} // namespace

int writeAll(int fd, std::string_view bytes) {
    return writeEverything(bytes, [fd](const char* data, std::size_t size, std::size_t) {
        return write(fd, data, size);
    });
}

int writeAllAt(int fd, std::string_view bytes, off_t offset) {
    return writeEverything(bytes,
                           [fd, offset](const char* data, std::size_t size, std::size_t done) {
                               return pwrite(fd, data, size, offset + static_cast<off_t>(done));
                           });
}

int syncFile(int fd) {
    int result;
    do {
        result = fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

} // namespace kestrix

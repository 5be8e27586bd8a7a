#include "fuzz/MemoryFile.h"

#include "fuzz/FuzzCheck.h"

#include <sys/mman.h>
#include <unistd.h>

namespace kestrix {

MemoryFile::MemoryFile(std::string_view bytes) {
    m_fd = memfd_create("kestrix-fuzz", MFD_CLOEXEC);
    fuzzCheck(m_fd >= 0, "memfd_create works");
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(m_fd, bytes.data() + written, bytes.size() - written);
        fuzzCheck(n > 0, "the memory file takes every byte");
        written += static_cast<std::size_t>(n);
    }
    m_path = "/proc/self/fd/" + std::to_string(m_fd);
}

MemoryFile::~MemoryFile() {
    close(m_fd);
}

} // namespace kestrix

#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// A file that lives in memory only, reachable by path like any other, so the
// file layer reads fuzz inputs without touching the disk.
class MemoryFile {
public:
    explicit MemoryFile(std::string_view bytes);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace kestrix

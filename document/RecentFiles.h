#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kestrix {

// The characters opened or saved most recently, newest first: each path
// once, at most four. Paths are in the file system's own encoding.
class RecentFiles {
public:
    static constexpr std::size_t kMaxCount = 4;
    // No path the system takes is longer (PATH_MAX, its NUL included).
    static constexpr std::size_t kMaxPathBytes = 4096;

    RecentFiles() = default;
    // Takes a stored list as it is found, keeping its order; duplicates,
    // entries that cannot be paths (empty, longer than a path can be, or
    // holding a NUL) and entries past the fourth are left out.
    explicit RecentFiles(const std::vector<std::string>& stored);

    // The file was just opened or saved: it moves to the front. A text that
    // cannot be a path is not taken.
    void add(const std::string& path);
    // True when taking the stored list left anything out, so that it is
    // worth storing the cleaned list again.
    bool leftOutStored() const { return m_leftOutStored; }
    // Drops every file `exists` no longer finds; true when one was dropped.
    bool dropMissing(const std::function<bool(const std::string&)>& exists);

    const std::vector<std::string>& paths() const { return m_paths; }

private:
    std::vector<std::string> m_paths;
    bool m_leftOutStored = false;
};

} // namespace kestrix

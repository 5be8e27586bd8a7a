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

    RecentFiles() = default;
    // Takes a stored list as it is found, keeping its order; duplicates,
    // empty entries and entries past the fourth are left out.
    explicit RecentFiles(const std::vector<std::string>& stored);

    // The file was just opened or saved: it moves to the front.
    void add(const std::string& path);
    // Drops every file `exists` no longer finds; true when one was dropped.
    bool dropMissing(const std::function<bool(const std::string&)>& exists);

    const std::vector<std::string>& paths() const { return m_paths; }

private:
    std::vector<std::string> m_paths;
};

} // namespace kestrix

#pragma once

#include <string>

namespace kestrix {

// The directory part of a path as the system resolves it: "." for a bare
// name, "/" for a name in the root directory.
inline std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A path holding a NUL names a file no system call can reach: the call would
// take only what stands before the NUL, another file. Every path is checked
// for one before it reaches the file system.
inline bool holdsNul(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

inline std::string joinPath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && directory.back() == '/')
        return directory + name;
    return directory + "/" + name;
}

} // namespace kestrix

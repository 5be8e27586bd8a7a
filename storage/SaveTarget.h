#pragma once

#include <string>
#include <sys/stat.h>

namespace kestrix {

// The file a save finally writes: the path with the symbolic links of its
// last component followed, as opening it would follow them, so that saving
// through a link replaces the linked file and the link stays.
struct SaveTarget {
    std::string path;
    bool exists = false;
    struct stat status {}; // of `path`, when it exists
};

// Follows the links under the kernel's rule for sticky, world-writable
// directories (fs.protected_symlinks), whether or not the system turns it on:
// a link there is followed only when it belongs to the user saving or to the
// directory's owner, so that a link planted in a shared folder such as /tmp
// cannot send the save to another file. Returns 0 or an errno value (EACCES
// for such a link, ELOOP after too many links).
int resolveSaveTarget(const std::string& path, SaveTarget& target);

} // namespace kestrix

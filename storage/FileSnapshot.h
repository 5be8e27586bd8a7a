#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace kestrix {

// What a file was when the editor last read or wrote it: which file (device
// and inode), its size and modification time, and its first bytes. A later
// look at the path tells a file another program changed from one it only
// touched.
struct FileSnapshot {
    // Character files are 4012 bytes; a longer one is compared by its size
    // and this many first bytes.
    static constexpr std::size_t kComparedBytes = 64 * 1024;

    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::string bytes; // the first kComparedBytes at most

    bool sameStatus(const FileSnapshot& other) const;
    bool operator==(const FileSnapshot& other) const {
        return sameStatus(other) && bytes == other.bytes;
    }
};

// The snapshot of `bytes` read from a file whose status is `status`.
FileSnapshot snapshotOf(const struct stat& status, std::string bytes);

// Reads the file at `path` (a regular file only, following links as opening
// does) into a snapshot; nothing when it cannot be read.
std::optional<FileSnapshot> takeSnapshot(const std::string& path);

enum class DiskChange {
    Same,    // nothing changed, or nothing can be told
    Touched, // another file or time, the same bytes
    Changed, // other bytes (or no longer a regular file)
    Missing, // no file at the path any more
};

struct DiskComparison {
    DiskChange change = DiskChange::Same;
    std::optional<FileSnapshot> now; // what is there now, when it was read
};

// Looks at `path` again: its status, and its bytes (one small read).
DiskComparison compareWithDisk(const FileSnapshot& known, const std::string& path);

} // namespace kestrix

#include "storage/FileSnapshot.h"

#include "storage/FileSystem.h"
#include "storage/Paths.h"

#include <cerrno>
#include <sys/stat.h>

namespace kestrix {

bool FileSnapshot::sameStatus(const FileSnapshot& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

FileSnapshot snapshotOf(const struct stat& status, std::string bytes) {
    FileSnapshot snapshot;
    snapshot.device = static_cast<std::uint64_t>(status.st_dev);
    snapshot.inode = static_cast<std::uint64_t>(status.st_ino);
    snapshot.size = static_cast<std::int64_t>(status.st_size);
    snapshot.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    snapshot.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    if (bytes.size() > FileSnapshot::kComparedBytes)
        bytes.resize(FileSnapshot::kComparedBytes);
    snapshot.bytes = std::move(bytes);
    return snapshot;
}

std::optional<FileSnapshot> takeSnapshot(const std::string& path) {
    struct stat status {};
    ReadResult read = readRegularFilePrefix(path, FileSnapshot::kComparedBytes, status);
    if (read.error)
        return std::nullopt;
    return snapshotOf(status, std::move(read.bytes));
}

DiskComparison compareWithDisk(const FileSnapshot& known, const std::string& path) {
    DiskComparison result;
    struct stat status {};
    if (holdsNul(path))
        return result;
    if (stat(path.c_str(), &status) != 0) {
        // A folder that cannot be searched tells nothing about the file.
        if (errno == ENOENT || errno == ENOTDIR)
            result.change = DiskChange::Missing;
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.change = DiskChange::Changed;
        return result;
    }
    // The bytes are read even when the status looks the same: a rewrite of
    // the same size within the clock's granularity leaves it unchanged.
    result.now = takeSnapshot(path);
    if (!result.now) {
        // There, but unreadable now: whatever it holds is not what was read.
        result.change = DiskChange::Changed;
        return result;
    }
    if (result.now->size != known.size || result.now->bytes != known.bytes)
        result.change = DiskChange::Changed;
    else if (!result.now->sameStatus(known))
        result.change = DiskChange::Touched;
    return result;
}

} // namespace kestrix

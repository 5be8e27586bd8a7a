#include "storage/FileSystem.h"
#include "storage/FileWrite.h"
#include "storage/InPlaceWrite.h"
#include "storage/Paths.h"
#include "storage/SaveTarget.h"
#include "storage/TemporaryFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

// The rename is already done when this runs: a failure to sync the directory
// cannot be undone, and the new file is in place either way.
void syncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

// Which of the replaced file's owner and group the new file could take on.
struct KeptIds {
    bool owner = false;
    bool group = false;
};

KeptIds keepOwnerAndGroup(int fd, const struct stat& old) {
    KeptIds kept;
    struct stat now {};
    if (fstat(fd, &now) == 0) {
        kept.owner = now.st_uid == old.st_uid;
        kept.group = now.st_gid == old.st_gid;
    }
    if (kept.owner && kept.group)
        return kept;
    // Only a privileged user may give a file away; a member of the file's
    // group may still give it that group.
    if (fchown(fd, old.st_uid, old.st_gid) == 0)
        return {true, true};
    if (!kept.group && fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0)
        kept.group = true;
    return kept;
}

// A new file that can keep neither owner nor group of a file that others
// share would change who may read it: the owner would lose it, and the group
// or everyone else would reach it through the saver's ids. Where the owner is
// kept, only the group's members would lose it.
bool newFileWouldChangeWhoMayRead(KeptIds kept, mode_t mode) {
    if (kept.group)
        return false;
    const mode_t shared = kept.owner ? S_IRWXG : (S_IRWXG | S_IRWXO);
    return (mode & shared) != 0;
}

// What the safe way came to.
struct Attempt {
    int error = 0;
    // Refused for want of permission, where writing in place is allowed.
    bool writeInPlace = false;
};

Attempt replaceThroughNewFile(const SaveTarget& target, std::string_view bytes) {
    const std::string directory = directoryOf(target.path);
    TemporaryFile temporary;
    if (const int error = temporary.create(directory))
        return {error, target.exists && isPermissionError(error)};
    if (target.exists) {
        const KeptIds kept = keepOwnerAndGroup(temporary.fd(), target.status);
        if (newFileWouldChangeWhoMayRead(kept, target.status.st_mode))
            return {0, true};
        if (fchmod(temporary.fd(), target.status.st_mode & 07777) != 0)
            return {errno, false};
    }
    if (const int error = writeAll(temporary.fd(), bytes))
        return {error, false};
    if (const int error = syncFile(temporary.fd()))
        return {error, false};
    // A sticky directory lets only a file's owner replace it.
    if (const int error = temporary.replace(target.path))
        return {error, target.exists && isPermissionError(error)};
    syncDirectory(directory);
    removeStaleTemporaryFiles(directory);
    return {};
}

} // namespace

Result replaceFileSafely(const std::string& path, std::string_view bytes) {
    if (holdsNul(path))
        return fileError(FileErrorCode::InvalidFilename);
    // A name ending in a slash names a directory, never a character file.
    if (path.empty() || path.back() == '/') {
        struct stat status {};
        const bool directory =
            !path.empty() && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        return fileError(directory ? FileErrorCode::AccessDenied : FileErrorCode::InvalidFilename);
    }

    SaveTarget target;
    if (const int error = resolveSaveTarget(path, target))
        return fileErrorFromErrno(error, path);
    if (target.exists) {
        if (S_ISDIR(target.status.st_mode))
            return fileErrorFromErrno(EISDIR, path);
        // Devices, pipes and sockets are not character files; replacing one
        // by a plain file would be worse than refusing.
        if (!S_ISREG(target.status.st_mode))
            return fileErrorFromErrno(EACCES, path);
        if (faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
            return fileErrorFromErrno(errno, path);
    }

    const Attempt attempt = replaceThroughNewFile(target, bytes);
    if (attempt.writeInPlace) {
        if (const int error = writeInPlace(target.path, bytes))
            return fileErrorFromErrno(error, target.path);
        return std::nullopt;
    }
    if (attempt.error)
        return fileErrorFromErrno(attempt.error, target.path);
    return std::nullopt;
}

} // namespace kestrix

#include "FileSystem.h"
#include "Paths.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMaxLinkHops = 40;
constexpr int kMaxNameAttempts = 100;

// A write past the file-size limit raises SIGXFSZ, whose default action ends
// the process; while this lives the write fails with EFBIG instead.
class SignalIgnored {
public:
    explicit SignalIgnored(int signal) : m_signal(signal) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        m_restore = sigaction(m_signal, &ignore, &m_previous) == 0;
    }
    ~SignalIgnored() {
        if (m_restore)
            sigaction(m_signal, &m_previous, nullptr);
    }
    SignalIgnored(const SignalIgnored&) = delete;
    SignalIgnored& operator=(const SignalIgnored&) = delete;

private:
    int m_signal;
    struct sigaction m_previous {};
    bool m_restore = false;
};

// The new file until it takes the old one's place; removed unless committed.
class TemporaryFile {
public:
    ~TemporaryFile() {
        if (m_fd >= 0)
            close(m_fd);
        if (!m_path.empty())
            unlink(m_path.c_str());
    }

    int create(const std::string& directory) {
        static unsigned counter = 0;
        for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
            const auto clock = static_cast<unsigned long>(
                std::chrono::steady_clock::now().time_since_epoch().count());
            char name[64];
            std::snprintf(name, sizeof name, ".kestrix-%lx-%x-%x.tmp",
                          static_cast<unsigned long>(getpid()), ++counter,
                          static_cast<unsigned>(clock & 0xFFFFFu));
            const std::string path = joinPath(directory, name);
            do {
                m_fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            } while (m_fd < 0 && errno == EINTR);
            if (m_fd >= 0) {
                m_path = path;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

    int closeFile() {
        const int fd = m_fd;
        m_fd = -1;
        // On Linux the descriptor is gone even when close reports EINTR, and
        // the data has already been synced.
        return close(fd) == 0 || errno == EINTR ? 0 : errno;
    }

    void commit() { m_path.clear(); }

private:
    int m_fd = -1;
    std::string m_path;
};

int writeAll(int fd, std::string_view bytes) {
    SignalIgnored fileSizeLimit(SIGXFSZ);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
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

int syncFile(int fd) {
    int result;
    do {
        result = fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// The file a path finally names, following symbolic links in its last
// component, so that saving through a link replaces the linked file.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status {};
};

int resolveTarget(const std::string& path, Target& target) {
    target.path = path;
    for (int hops = 0;; ++hops) {
        if (lstat(target.path.c_str(), &target.status) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return 0;
        }
        if (hops == kMaxLinkHops)
            return ELOOP;
        std::string link(static_cast<std::size_t>(target.status.st_size) + 256, '\0');
        const ssize_t length = readlink(target.path.c_str(), link.data(), link.size());
        if (length < 0)
            return errno;
        link.resize(static_cast<std::size_t>(length));
        target.path =
            !link.empty() && link.front() == '/' ? link : joinPath(directoryOf(target.path), link);
    }
}

// The rename is already done when this runs: a failure to sync the directory
// cannot be undone, and the new file is in place either way.
void syncDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

FileResult replaceFileSafely(const std::string& path, std::string_view bytes) {
    // A name ending in a slash names a directory, never a character file.
    if (path.empty() || path.back() == '/') {
        struct stat status {};
        const bool directory =
            !path.empty() && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        return FileError::fromCode(directory ? 5 : 3);
    }

    Target target;
    if (const int error = resolveTarget(path, target))
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

    const std::string directory = directoryOf(target.path);
    TemporaryFile temporary;
    if (const int error = temporary.create(directory))
        return fileErrorFromErrno(error, target.path);
    if (target.exists) {
        const uid_t owner = target.status.st_uid;
        const gid_t group = target.status.st_gid;
        if (owner != geteuid() || group != getegid()) {
            if (fchown(temporary.fd(), owner, group) != 0) {
                // Only a privileged user may give a file away; anyone else
                // ends up owning the saved file, as with any editor.
            }
        }
        if (fchmod(temporary.fd(), target.status.st_mode & 07777) != 0)
            return fileErrorFromErrno(errno, target.path);
    }
    if (const int error = writeAll(temporary.fd(), bytes))
        return fileErrorFromErrno(error, target.path);
    if (const int error = syncFile(temporary.fd()))
        return fileErrorFromErrno(error, target.path);
    if (const int error = temporary.closeFile())
        return fileErrorFromErrno(error, target.path);
    if (rename(temporary.path().c_str(), target.path.c_str()) != 0)
        return fileErrorFromErrno(errno, target.path);
    temporary.commit();
    syncDirectory(directory);
    return std::nullopt;
}

} // namespace kestrix

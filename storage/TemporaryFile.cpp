#include "storage/TemporaryFile.h"

#include "storage/Paths.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

constexpr int kMaxNameAttempts = 100;
constexpr std::string_view kPrefix = ".kestrix-";
constexpr std::string_view kSuffix = ".tmp";

// A fresh name in the form removeStaleTemporaryFiles recognises.
std::string makeName() {
    static unsigned counter = 0;
    const auto clock =
        static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
    char name[64];
    std::snprintf(name, sizeof name, ".kestrix-%lx-%x-%x.tmp", static_cast<unsigned long>(getpid()),
                  ++counter, static_cast<unsigned>(clock & 0xFFFFFu));
    return name;
}

bool isHexNumber(std::string_view text) {
    if (text.empty() || text.size() > 16)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// The pid a temporary file's name carries, or 0 for any other name.
pid_t pidOfTemporaryName(std::string_view name) {
    if (name.size() <= kPrefix.size() + kSuffix.size() ||
        name.substr(0, kPrefix.size()) != kPrefix ||
        name.substr(name.size() - kSuffix.size()) != kSuffix)
        return 0;
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    std::string_view fields[3];
    for (int i = 0; i < 3; ++i) {
        const auto dash = name.find('-');
        if ((dash == std::string_view::npos) != (i == 2))
            return 0;
        fields[i] = name.substr(0, dash);
        if (!isHexNumber(fields[i]))
            return 0;
        name = i == 2 ? std::string_view() : name.substr(dash + 1);
    }
    const unsigned long long pid = std::strtoull(std::string(fields[0]).c_str(), nullptr, 16);
    if (pid == 0 || pid > 0x7FFFFFFF)
        return 0;
    return static_cast<pid_t>(pid);
}

// A pid that answers, even with "not allowed", still runs.
bool isRunning(pid_t pid) {
    return kill(pid, 0) == 0 || errno != ESRCH;
}

bool lacksUnnamedFiles(int error) {
    // EISDIR: a kernel that does not know O_TMPFILE sees O_DIRECTORY in it.
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

} // namespace

TemporaryFile::~TemporaryFile() {
    if (m_fd >= 0)
        close(m_fd);
    if (!m_path.empty())
        unlink(m_path.c_str());
}

int TemporaryFile::create(const std::string& directory, Kind kind) {
    m_directory = directory;
    if (kind == Kind::Unnamed) {
        do {
            m_fd = open(directory.c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
        } while (m_fd < 0 && errno == EINTR);
        if (m_fd >= 0)
            return 0;
        if (!lacksUnnamedFiles(errno))
            return errno;
    }
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        const std::string path = joinPath(directory, makeName());
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

int TemporaryFile::giveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        const std::string path = joinPath(m_directory, makeName());
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_path = path;
            return 0;
        }
        int error = errno;
        if (error == ENOENT) {
            // No /proc: linking the descriptor itself needs a newer kernel or
            // CAP_DAC_READ_SEARCH, and may still work.
            if (linkat(m_fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
                m_path = path;
                return 0;
            }
            error = errno;
        }
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

int TemporaryFile::closeFile() {
    const int fd = m_fd;
    m_fd = -1;
    // On Linux the descriptor is gone even when close reports EINTR, and the
    // data has already been synced.
    return close(fd) == 0 || errno == EINTR ? 0 : errno;
}

int TemporaryFile::replace(const std::string& target) {
    // An unnamed file vanishes when closed: it gets its name first.
    if (m_path.empty()) {
        if (const int error = giveName())
            return error;
    }
    if (const int error = closeFile())
        return error;
    if (rename(m_path.c_str(), target.c_str()) != 0)
        return errno;
    m_path.clear();
    return 0;
}

void removeStaleTemporaryFiles(const std::string& directory) {
    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr)
        return;
    const int directoryFd = dirfd(listing);
    const uid_t user = geteuid();
    while (const dirent* entry = readdir(listing)) {
        const pid_t pid = pidOfTemporaryName(entry->d_name);
        if (pid == 0 || pid == getpid() || isRunning(pid))
            continue;
        struct stat status {};
        if (fstatat(directoryFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(status.st_mode) || (user != 0 && status.st_uid != user))
            continue;
        unlinkat(directoryFd, entry->d_name, 0);
    }
    closedir(listing);
}

} // namespace kestrix

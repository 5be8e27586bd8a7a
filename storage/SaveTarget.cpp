#include "storage/SaveTarget.h"

#include "storage/Paths.h"

#include <cerrno>
#include <unistd.h>

namespace kestrix {
namespace {

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMaxLinkHops = 40;

bool mayFollow(const std::string& linkPath, const struct stat& link) {
    if (link.st_uid == geteuid())
        return true;
    struct stat directory {};
    if (stat(directoryOf(linkPath).c_str(), &directory) != 0)
        return false;
    const bool sharedSticky = (directory.st_mode & S_ISVTX) && (directory.st_mode & S_IWOTH);
    return !sharedSticky || directory.st_uid == link.st_uid;
}

} // namespace

int resolveSaveTarget(const std::string& path, SaveTarget& target) {
    target.path = path;
    target.exists = false;
    for (int hops = 0;; ++hops) {
        if (lstat(target.path.c_str(), &target.status) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return 0;
        }
        if (hops == kMaxLinkHops)
            return ELOOP;
        if (!mayFollow(target.path, target.status))
            return EACCES;
        std::string link(static_cast<std::size_t>(target.status.st_size) + 256, '\0');
        const ssize_t length = readlink(target.path.c_str(), link.data(), link.size());
        if (length < 0)
            return errno;
        link.resize(static_cast<std::size_t>(length));
        target.path =
            !link.empty() && link.front() == '/' ? link : joinPath(directoryOf(target.path), link);
    }
}

} // namespace kestrix

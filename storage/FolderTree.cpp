#include "storage/FolderTree.h"

#include "storage/Paths.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrix {

int makeFolderTree(const std::string& folder, mode_t mode) {
    if (holdsNul(folder))
        return ENAMETOOLONG;
    // The missing folders, deepest first, found by walking up to one that
    // exists.
    std::vector<std::string> missing;
    for (std::string at = folder; !at.empty() && at != "/" && at != "."; at = directoryOf(at)) {
        struct stat status {};
        if (stat(at.c_str(), &status) == 0)
            break;
        if (errno != ENOENT)
            return errno;
        missing.push_back(at);
    }
    std::vector<std::string> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (mkdir(it->c_str(), mode) == 0) {
            made.push_back(*it);
            continue;
        }
        if (errno == EEXIST)
            continue; // made meanwhile by someone else, and theirs to keep
        const int error = errno;
        // Deepest first; one that someone filled meanwhile stays.
        for (auto undo = made.rbegin(); undo != made.rend(); ++undo)
            rmdir(undo->c_str());
        return error;
    }
    return 0;
}

} // namespace kestrix

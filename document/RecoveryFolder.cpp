#include "document/RecoveryFolder.h"

#include "storage/FileSystem.h"
#include "storage/FileWrite.h"
#include "storage/FolderTree.h"
#include "storage/Paths.h"
#include "storage/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

std::string nonEmpty(const char* value) {
    return value ? std::string(value) : std::string();
}

bool endsWith(const std::string& text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    struct stat first {};
    struct stat second {};
    return !holdsNul(a) && !holdsNul(b) && stat(a.c_str(), &first) == 0 &&
           stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace

std::string RecoveryFolder::forUser(const std::function<const char*(const char*)>& environment) {
    const auto variable = [&](const char* name) {
        return nonEmpty(environment ? environment(name) : std::getenv(name));
    };
    // A relative XDG_STATE_HOME is invalid and ignored, as the base
    // directory rules ask.
    const std::string stateHome = variable("XDG_STATE_HOME");
    if (!stateHome.empty() && stateHome.front() == '/')
        return joinPath(stateHome, "kestrix");
    const std::string home = variable("HOME");
    return home.empty() ? std::string() : joinPath(home, ".local/state/kestrix");
}

RecoveryFolder::RecoveryFolder(std::string directory, ProcessIdentity self, RunningCheck isRunning)
    : m_directory(std::move(directory)), m_self(std::move(self)),
      m_isRunning(std::move(isRunning)) {}

std::string RecoveryFolder::ownCopyPath() const {
    return joinPath(m_directory, recoveryCopyName(m_self));
}

Result RecoveryFolder::write(const RecoveryCopy& copy) {
    if (m_directory.empty())
        return Error{0, "No folder for recovery copies (HOME is not set)"};
    if (const int error = makeFolderTree(m_directory, 0700))
        return fileErrorFromErrno(error, m_directory);
    const std::string bytes = encodeRecoveryCopy(copy);
    TemporaryFile file;
    int error = file.create(m_directory);
    // Unsaved work is the user's alone, whatever the umask says.
    if (error == 0 && fchmod(file.fd(), 0600) != 0)
        error = errno;
    if (error == 0)
        error = writeAll(file.fd(), bytes);
    if (error == 0)
        error = syncFile(file.fd());
    if (error == 0)
        error = file.replace(ownCopyPath());
    if (error != 0)
        return fileErrorFromErrno(error, ownCopyPath());
    return std::nullopt;
}

void RecoveryFolder::removeOwn() {
    if (!m_directory.empty())
        unlink(ownCopyPath().c_str());
}

std::vector<RecoveryFolder::Found> RecoveryFolder::abandoned(const std::string& fileArgument) {
    std::vector<Found> found;
    if (m_directory.empty() || holdsNul(m_directory))
        return found;
    const auto close = [](DIR* listing) { closedir(listing); };
    std::unique_ptr<DIR, decltype(close)> listing(opendir(m_directory.c_str()), close);
    if (!listing)
        return found;
    // Saves of editors killed where the system has no unnamed files.
    removeStaleTemporaryFiles(m_directory);
    const std::string own = recoveryCopyName(m_self);
    int examined = 0;
    while (const dirent* entry = readdir(listing.get())) {
        const std::string name = entry->d_name;
        if (!endsWith(name, RecoveryCopy::kSuffix) || name == own)
            continue;
        if (++examined > kMaxCopiesExamined)
            break;
        const std::string path = joinPath(m_directory, name);
        const std::optional<ProcessIdentity> writer = writerOfRecoveryCopyName(name);
        // The work of an editor still running is its own: not even read.
        if (writer && m_isRunning(*writer))
            continue;
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode))
            continue;
        std::optional<RecoveryCopy> copy;
        if (writer && S_ISREG(status.st_mode) && status.st_uid == geteuid()) {
            const BoundedReadResult read = readRegularFile(path, kMaxRecoveryCopySize);
            if (!read.error && read.refused == BoundedReadResult::Refusal::None)
                copy = decodeRecoveryCopy(read.bytes);
        }
        // Anything else under a copy's name, or a copy under another
        // writer's name, is not one of ours.
        if (!copy || recoveryCopyName(copy->writer) != name) {
            unlink(path.c_str());
            continue;
        }
        if (!fileArgument.empty() &&
            (copy->filePath.empty() || !sameFile(copy->filePath, fileArgument)))
            continue;
        found.push_back({path, std::move(*copy)});
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.copy.savedAt > b.copy.savedAt;
    });
    return found;
}

void RecoveryFolder::remove(const Found& found) {
    unlink(found.path.c_str());
}

} // namespace kestrix

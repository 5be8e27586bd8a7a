#include "document/DataFolders.h"

#include "storage/Paths.h"

#include <cstdlib>
#include <sys/stat.h>

namespace kestrix {
namespace {

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : joinPath(folder, name);
}

bool exists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

std::string nonEmpty(const char* value) {
    return value ? std::string(value) : std::string();
}

} // namespace

DataFolders DataFolders::forUser(const std::string& programFolder,
                                 const std::function<const char*(const char*)>& environment) {
    const auto variable = [&](const char* name) {
        return nonEmpty(environment ? environment(name) : std::getenv(name));
    };
    DataFolders folders;
    // A relative XDG_DATA_HOME is invalid and ignored, as the base
    // directory rules ask.
    const std::string dataHome = variable("XDG_DATA_HOME");
    const std::string home = variable("HOME");
    if (!dataHome.empty() && dataHome.front() == '/')
        folders.user = joinPath(dataHome, "kestrix");
    else if (!home.empty())
        folders.user = joinPath(home, ".local/share/kestrix");
    const std::string site = variable("KESTRIX_SITE_DATA_DIR");
    folders.site = site.empty() ? kSiteFolder : site;
    folders.program = programFolder;
    return folders;
}

std::string DataFolders::locate(const std::string& name) const {
    for (const std::string* folder : {&user, &site}) {
        if (!folder->empty() && exists(joinPath(*folder, name)))
            return joinPath(*folder, name);
    }
    return inFolder(program, name);
}

std::string DataFolders::userFile(const std::string& name) const {
    return user.empty() ? std::string() : joinPath(user, name);
}

} // namespace kestrix

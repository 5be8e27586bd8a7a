#pragma once

#include <functional>
#include <string>

namespace kestrix {

inline constexpr const char* kAdvantageCatalogueName = "vantagem.lib";
inline constexpr const char* kDisadvantageCatalogueName = "desvant.lib";
inline constexpr const char* kDefaultPictureName = "modelo.bmp";

// Where the data files (the catalogues, the blank character, the default
// picture) are found. Each file is looked up on its own, first found wins:
// the user's folder, where the program writes what the user edits; the
// site's folder, which an administrator fills and upgrades keep; the
// program's own folder, which holds the shipped defaults. An empty folder is
// not looked in; an empty program folder means the current directory.
struct DataFolders {
    std::string user;
    std::string site;
    std::string program;

    static constexpr const char* kSiteFolder = "/etc/kestrix";

    // The folders for this user: $XDG_DATA_HOME/kestrix (when absolute,
    // else ~/.local/share/kestrix), /etc/kestrix (KESTRIX_SITE_DATA_DIR
    // stands in for it, so that tests never read the machine's own) and
    // `programFolder`. `environment` reads a variable (null when unset).
    static DataFolders
    forUser(const std::string& programFolder,
            const std::function<const char*(const char*)>& environment = nullptr);

    // The path of the first folder holding `name`; when none does, its path
    // in the program folder, which then names the missing file.
    std::string locate(const std::string& name) const;
    // Where the program writes its own copy of `name`; empty without a
    // user folder (no home).
    std::string userFile(const std::string& name) const;
};

} // namespace kestrix

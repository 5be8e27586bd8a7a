#pragma once

#include "document/Document.h"
#include "document/DocumentCommands.h"
#include "document/DocumentView.h"
#include "storage/FileError.h"

#include <functional>
#include <string>

namespace kestrix {

// Both catalogues as start-up loads them, each with its own error.
struct StartupCatalogues {
    Catalogue advantages = Catalogue::advantages();
    Catalogue disadvantages = Catalogue::disadvantages();
    Result advantagesError;
    Result disadvantagesError;
};

// Loads "vantagem.lib" and "desvant.lib", each from the first data folder
// holding it. Touches nothing else, so it may run on a thread of its own
// while the windows are built.
StartupCatalogues loadStartupCatalogues(const DataFolders& folders);
// The same from `directory` alone (the current directory when empty).
StartupCatalogues loadStartupCatalogues(const std::string& directory);

// Where the program runs from and what it was asked to open.
struct StartupContext {
    // The real directory of the executable (symbolic links followed), made
    // current: a picture a character names by a relative path is found there.
    std::string programDirectory;
    // The first command-line argument, already made absolute against the
    // directory the program was started from; empty when none was given.
    std::string fileArgument;
    // Hands over the catalogues when they were read ahead from the program
    // directory (see loadStartupCatalogues); when empty, start-up reads them.
    // Whatever it throws is reported once, and start-up goes on without
    // catalogues.
    std::function<StartupCatalogues()> readAheadCatalogues;
    // The user's and the site's data folders, looked in before the program
    // directory (see DataFolders); none when empty.
    DataFolders dataFolders;
};

// The real directory of the running executable.
std::string executableDirectory();
// `path` as seen from `directory`, unless it is absolute already.
std::string resolveAgainst(const std::string& path, const std::string& directory);
std::string currentDirectory();

// Start-up without windows: makes the program directory current, keeps the
// data folders in the document, loads each catalogue on its own (reporting
// each failure once), presets the picture path and opens the command-line
// file clean.
void runStartup(Document& document, DocumentCommands& commands, DocumentView& view,
                const StartupContext& context);

} // namespace kestrix

#include "document/Startup.h"

#include "storage/CatalogueFile.h"
#include "storage/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <tuple>
#include <unistd.h>

namespace kestrix {

std::string executableDirectory() {
    std::unique_ptr<char, decltype(&std::free)> real(realpath("/proc/self/exe", nullptr),
                                                     &std::free);
    if (!real)
        return currentDirectory();
    std::string path(real.get());
    const auto slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string currentDirectory() {
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    return cwd ? std::string(cwd.get()) : std::string();
}

std::string resolveAgainst(const std::string& path, const std::string& directory) {
    if (path.empty() || path.front() == '/' || directory.empty())
        return path;
    return directory.back() == '/' ? directory + path : directory + "/" + path;
}

StartupCatalogues loadStartupCatalogues(const DataFolders& folders) {
    StartupCatalogues loaded;
    loaded.advantagesError =
        loadCatalogueFile(folders.locate(kAdvantageCatalogueName), loaded.advantages);
    loaded.disadvantagesError =
        loadCatalogueFile(folders.locate(kDisadvantageCatalogueName), loaded.disadvantages);
    return loaded;
}

StartupCatalogues loadStartupCatalogues(const std::string& directory) {
    return loadStartupCatalogues(DataFolders{"", "", directory});
}

void runStartup(Document& document, DocumentCommands& commands, DocumentView& view,
                const StartupContext& context) {
    document.sheet.clearModified();
    const bool inProgramDirectory = chdir(context.programDirectory.c_str()) == 0;
    if (!inProgramDirectory)
        view.reportError(fileErrorFromErrno(errno, context.programDirectory));
    // Without the program directory, its files are looked for where we are.
    document.dataFolders = context.dataFolders;
    document.dataFolders.program = inProgramDirectory ? context.programDirectory : std::string();

    // Read ahead from the program directory, or now from wherever we are.
    // Whatever stops the reading is reported, and start-up goes on as it
    // does without catalogue files.
    StartupCatalogues loaded;
    try {
        loaded = inProgramDirectory && context.readAheadCatalogues
                     ? context.readAheadCatalogues()
                     : loadStartupCatalogues(document.dataFolders);
    } catch (const std::bad_alloc&) {
        view.reportError({0, "Not enough memory to read the catalogues"});
    } catch (const std::exception& error) {
        view.reportError({0, std::string("Catalogues could not be read (") + error.what() + ")"});
    } catch (...) {
        view.reportError({0, "Catalogues could not be read"});
    }
    for (auto [error, from, into] :
         {std::tuple{&loaded.advantagesError, &loaded.advantages, &document.advantageCatalogue},
          std::tuple{&loaded.disadvantagesError, &loaded.disadvantages,
                     &document.disadvantageCatalogue}}) {
        if (*error)
            view.reportError(**error);
        else
            *into = std::move(*from);
    }

    // Stored by bare name, as every character file holds it; the window
    // finds it through the data folders.
    document.sheet.setPicturePath(kDefaultPictureName);
    if (!context.fileArgument.empty())
        commands.openFile(context.fileArgument);
}

} // namespace kestrix

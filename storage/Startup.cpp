#include "Startup.h"

#include "CatalogueFile.h"
#include "FileSystem.h"

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

StartupCatalogues loadStartupCatalogues(const std::string& directory) {
    StartupCatalogues loaded;
    const std::string prefix = directory.empty() || directory.back() == '/' ? directory
                                                                             : directory + "/";
    loaded.advantagesError = loadCatalogueFile(prefix + "vantagem.lib", loaded.advantages);
    loaded.disadvantagesError = loadCatalogueFile(prefix + "desvant.lib", loaded.disadvantages);
    return loaded;
}

void runStartup(Document& document, DocumentCommands& commands, DocumentView& view,
                const StartupContext& context) {
    document.sheet.clearModified();
    const bool inProgramDirectory = chdir(context.programDirectory.c_str()) == 0;
    if (!inProgramDirectory)
        view.reportError(fileErrorFromErrno(errno, context.programDirectory));

    // Read ahead from the program directory, or now from wherever we are.
    // Whatever stops the reading is reported, and start-up goes on as it
    // does without catalogue files.
    StartupCatalogues loaded;
    try {
        loaded = inProgramDirectory && context.readAheadCatalogues ? context.readAheadCatalogues()
                                                                   : loadStartupCatalogues("");
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

    document.sheet.setPicturePath("modelo.bmp");
    if (!context.fileArgument.empty())
        commands.openFile(context.fileArgument);
}

} // namespace kestrix

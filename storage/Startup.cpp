#include "Startup.h"

#include "CatalogueFile.h"
#include "FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
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

void runStartup(Document& document, DocumentCommands& commands, DocumentView& view,
                const StartupContext& context) {
    document.sheet.clearModified();
    if (chdir(context.programDirectory.c_str()) != 0)
        view.reportError(fileErrorFromErrno(errno, context.programDirectory).message);

    for (auto [fileName, catalogue] : {std::pair{"vantagem.lib", &document.advantageCatalogue},
                                       std::pair{"desvant.lib", &document.disadvantageCatalogue}}) {
        if (const FileResult error = loadCatalogueFile(fileName, *catalogue))
            view.reportError(error->message);
    }

    document.sheet.setPicturePath("modelo.bmp");
    if (!context.fileArgument.empty())
        commands.openFile(context.fileArgument);
}

} // namespace kestrix

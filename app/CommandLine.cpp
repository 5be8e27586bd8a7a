#include "CommandLine.h"

#include "Version.h"

namespace kestrix {

// In English, as the program's error messages and kestrix-info's usage are:
// the command line is for scripts and those who write them.
const char* const kEditorUsage =
    "Usage: kestrix [FILE.QsZ]\n"
    "       kestrix --export-pdf OUT.pdf FILE.QsZ...\n"
    "Opens the character editor, with FILE.QsZ when given. --export-pdf writes\n"
    "one page per character, in the order given, into OUT.pdf without opening\n"
    "a window.\n"
    "  --export-pdf OUT.pdf  write the sheets of the files into OUT.pdf\n"
    "  --version             print the version and exit\n"
    "  -h, --help            print this help and exit\n"
    "  --                    treat every later argument as a file name\n";

namespace {

CommandLine usageError(const std::string& problem) {
    CommandLine result;
    result.action = CommandLine::Action::Usage;
    result.problem = problem;
    return result;
}

// The toolkit's own options (the desktop restarts the program after a logout
// with one of them, users pass -platform or -style): left for the toolkit, which
// takes them out of the command line itself.
bool isToolkitOption(const std::string& argument, bool& takesValue) {
    static const char* const withValue[] = {
        "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
        "-qwindowicon", "-qwindowtitle",       "-session",       "-display", "-geometry",
        "-style",       "-stylesheet",         "-name",          "-title"};
    static const char* const flags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
    for (const char* option : withValue) {
        if (argument == option) {
            takesValue = true;
            return true;
        }
    }
    for (const char* option : flags) {
        if (argument == option) {
            takesValue = false;
            return true;
        }
    }
    return false;
}

bool isOption(const std::string& argument) {
    return argument.size() >= 2 && argument[0] == '-';
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    bool optionsEnded = false;
    bool exportPdf = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !isOption(argument)) {
            result.files.push_back(argument);
        } else if (bool takesValue = false; isToolkitOption(argument, takesValue)) {
            if (takesValue)
                ++i;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--version") {
            return CommandLine{CommandLine::Action::Version, {}, {}, {}};
        } else if (argument == "--help" || argument == "-h") {
            return CommandLine{CommandLine::Action::Help, {}, {}, {}};
        } else if (argument == "--export-pdf" || argument.rfind("--export-pdf=", 0) == 0) {
            if (exportPdf)
                return usageError("--export-pdf given twice");
            exportPdf = true;
            if (argument.size() > 12) {
                result.output = argument.substr(13);
            } else if (i + 1 < arguments.size()) {
                result.output = arguments[++i];
            } else {
                return usageError("--export-pdf needs the name of the PDF file");
            }
            if (result.output.empty())
                return usageError("--export-pdf needs the name of the PDF file");
        } else {
            return usageError("unknown option '" + argument + "'");
        }
    }
    if (exportPdf) {
        if (result.files.empty())
            return usageError("--export-pdf needs at least one character file");
        result.action = CommandLine::Action::ExportPdf;
    } else if (result.files.size() > 1) {
        return usageError("the editor opens one character file at a time");
    }
    return result;
}

std::string versionText(const std::string& program) {
    return program + " " + KESTRIX_VERSION;
}

} // namespace kestrix

#include "app/CommandLine.h"

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
    "  --                    treat every later argument as a file name\n"
    "The toolkit takes -display, -platform, -session, -geometry and -title\n"
    "(and -qwindowgeometry, -qwindowtitle), each with its value, before \"--\".\n";

namespace {

CommandLine usageError(const std::string& problem) {
    CommandLine result;
    result.action = CommandLine::Action::Usage;
    result.problem = problem;
    return result;
}

// The toolkit options taken, each with its value: those a desktop passes
// (the session manager restarts the program with -session after a logout)
// and those a user sets a display or a window with. Nothing that loads code
// or reads a file (-platformpluginpath, -plugin, -style, -stylesheet,
// -qwindowicon) is among them: such a name is refused as an unknown option,
// and the toolkit never sees it.
bool isToolkitOption(const std::string& argument) {
    static const char* const options[] = {
        "-session",  "-display",      "-platform", "-qwindowgeometry",
        "-geometry", "-qwindowtitle", "-title"};
    for (const char* option : options) {
        if (argument == option)
            return true;
    }
    return false;
}

// A name shown on the one line about unopened files: control characters
// would break it into several.
std::string shownName(const std::string& file) {
    std::string shown = file;
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    return shown;
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
        } else if (isToolkitOption(argument)) {
            if (i + 1 == arguments.size())
                return usageError(argument + " needs a value");
            result.toolkitArguments.push_back(argument);
            result.toolkitArguments.push_back(arguments[++i]);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--version") {
            return CommandLine{CommandLine::Action::Version, {}, {}, {}, {}};
        } else if (argument == "--help" || argument == "-h") {
            return CommandLine{CommandLine::Action::Help, {}, {}, {}, {}};
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
            // A forgotten name would make the next option, or "--", the PDF.
            if (result.output.front() == '-')
                return usageError("--export-pdf needs the name of the PDF file, not the option '" +
                                  result.output + "' (for a file of that name, write ./" +
                                  result.output + ")");
        } else {
            return usageError("unknown option '" + argument + "'");
        }
    }
    if (exportPdf) {
        if (result.files.empty())
            return usageError("--export-pdf needs at least one character file");
        result.action = CommandLine::Action::ExportPdf;
    }
    return result;
}

std::string unopenedFilesNotice(const std::vector<std::string>& files) {
    if (files.size() < 2)
        return {};
    // A file manager may hand over thousands: a few are named, the rest counted.
    constexpr std::size_t kNamed = 3;
    std::string notice = "the editor opens one file at a time; not opened:";
    for (std::size_t i = 1; i < files.size() && i <= kNamed; ++i)
        notice += (i == 1 ? " " : ", ") + shownName(files[i]);
    if (files.size() - 1 > kNamed)
        notice += " and " + std::to_string(files.size() - 1 - kNamed) + " more";
    return notice;
}

std::string versionText(const std::string& program) {
    return program + " " + KESTRIX_VERSION;
}

} // namespace kestrix

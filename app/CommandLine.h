#pragma once

#include <string>
#include <vector>

namespace kestrix {

// What the editor was asked to do on its command line. Parsed before the
// toolkit starts, so --version, --help and a bad command line need no display.
struct CommandLine {
    enum class Action {
        OpenWindow, // the editor's window, with the first of `files` opened
        ExportPdf,  // --export-pdf: `output` from `files`, no window
        Version,    // print kVersionText, exit 0
        Help,       // print kUsage on stdout, exit 0
        Usage       // a bad command line: `problem` and kUsage on stderr, exit 2
    };

    Action action = Action::OpenWindow;
    std::vector<std::string> files;
    std::string output;
    std::string problem;
    // The toolkit's options given before "--", each followed by its value:
    // all the toolkit is handed besides the program's name. A file name
    // never is, whatever it looks like.
    std::vector<std::string> toolkitArguments;
};

constexpr int kUsageStatus = 2;

extern const char* const kEditorUsage;

// The arguments after the program name. Options are recognised up to "--";
// a lone "-" and anything not starting with "-" are file names.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The editor opens one file: for more, the line that says which were not
// opened; empty for one file or none.
std::string unopenedFilesNotice(const std::vector<std::string>& files);

// "kestrix VERSION".
std::string versionText(const std::string& program);

} // namespace kestrix

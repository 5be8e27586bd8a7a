// kestrix-info: prints the name and point totals of character files, or every
// field as JSON, for game masters and their scripts. Reads files only.
#include "Version.h"
#include "tools/kestrix-info/CharacterSummary.h"
#include "tools/kestrix-info/SummaryFormat.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kUsageStatus = 2;

constexpr const char* kUsage =
    "Usage: kestrix-info [--json] FILE.QsZ...\n"
    "Prints one line per character file: the path, the character's name and the\n"
    "five point totals. A file may also be a pipe, such as /dev/stdin.\n"
    "  --json     print one JSON object per file instead, with every field\n"
    "  --version  print the version and exit\n"
    "  -h, --help print this help and exit\n"
    "  --         treat every later argument as a file name\n";

// A command line that cannot be right gets the usage on stderr; asking for
// help gets it on stdout.
int usage(const std::string& problem) {
    if (!problem.empty())
        std::cerr << "kestrix-info: " << problem << '\n';
    std::cerr << kUsage;
    return kUsageStatus;
}

} // namespace

int main(int argc, char** argv) {
    bool json = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-')
            files.push_back(argument);
        else if (argument == "--json")
            json = true;
        else if (argument == "--")
            optionsEnded = true;
        else if (argument == "--version")
            return std::cout << "kestrix-info " KESTRIX_VERSION "\n" << std::flush ? 0 : 1;
        else if (argument == "--help" || argument == "-h")
            return std::cout << kUsage ? 0 : 1;
        else
            return usage("unknown option '" + argument + "'");
    }
    if (files.empty())
        return usage("");

    int status = 0;
    for (const std::string& file : files) {
        kestrix::CharacterSummary summary;
        if (const kestrix::Result error = kestrix::loadCharacterSummary(file, summary)) {
            std::cout.flush();
            std::cerr << "kestrix-info: " << file << ": " << error->message << '\n';
            status = 1;
            continue;
        }
        std::cout << (json ? kestrix::formatSummaryJson(summary)
                           : kestrix::formatSummaryLine(summary))
                  << '\n';
    }
    if (!std::cout.flush()) {
        std::cerr << "kestrix-info: cannot write the output\n";
        status = 1;
    }
    return status;
}

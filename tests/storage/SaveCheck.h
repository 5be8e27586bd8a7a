#pragma once

#include "storage/CharacterFile.h"
#include "tests/storage/TestFiles.h"

#include <string>

namespace kestrix::test {

inline std::string describe(const Result& result) {
    return result ? std::to_string(result->code) + " \"" + result->message + "\"" : "success";
}

// Saves a character over `path`, expecting `expected`, and tells what went
// wrong besides: the old file changed, a file left behind in `directory`,
// the current file name not the path tried. Empty when all held.
inline std::string failedSaveProblems(const std::string& path, const std::string& directory,
                                      const Result& expected) {
    const std::string before = readFile(path);
    const auto listing = listDirectory(directory);
    CharacterFile file;
    CharacterSheet sheet;
    sheet.setName("Novo");
    const Result result = file.SaveCharacter(path, sheet);
    std::string problems;
    if (!(result == expected))
        problems += "got " + describe(result) + " instead of " + describe(expected) + "; ";
    if (readFile(path) != before)
        problems += "the old file changed; ";
    if (listDirectory(directory) != listing) {
        problems += "the directory now holds:";
        for (const std::string& name : listDirectory(directory))
            problems += " " + name;
        problems += "; ";
    }
    if (file.currentFileName() != path)
        problems += "current file name is \"" + file.currentFileName() + "\"; ";
    return problems;
}

inline std::string loadProblems(const std::string& path, const Result& expected) {
    CharacterFile file;
    CharacterSheet sheet;
    const Result result = file.LoadCharacter(path, sheet);
    if (!(result == expected))
        return "load got " + describe(result) + " instead of " + describe(expected) + "; ";
    return "";
}

} // namespace kestrix::test

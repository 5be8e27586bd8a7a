// Writes the blank-character template "qsz.lib" into the directory given on
// the command line, through the same codec that saves every character file.
#include "core/CharacterSheet.h"
#include "storage/CharacterFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr const char* kTemplateName = "qsz.lib";
constexpr const char* kDefaultPicture = "modelo.bmp";

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    // The record keeps the name it was saved under: the bare template name,
    // as New finds it beside the program.
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "%s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    kestrix::CharacterSheet sheet;
    sheet.setPicturePath(kDefaultPicture);
    kestrix::CharacterFile file;
    if (const kestrix::Result error = file.SaveCharacter(kTemplateName, sheet)) {
        std::fprintf(stderr, "%s: %s.\n", kTemplateName, error->message.c_str());
        return 1;
    }
    return 0;
}

#include "storage/CharacterFile.h"
#include "tests/storage/RecordImage.h"
#include "tests/storage/TestFiles.h"

#include <climits>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kestrix {
namespace {

using test::firstDifference;
using test::readFile;
using test::TempDir;

const std::string kCommittedTemplate = std::string(KESTRIX_DATA_DIR) + "/qsz.lib";

// What make-template writes: the blank character saved under the bare name.
std::string templateWrittenNow() {
    TempDir dir;
    char previous[PATH_MAX];
    if (getcwd(previous, sizeof previous) == nullptr || chdir(dir.path().c_str()) != 0)
        return "<cannot change directory>";
    CharacterSheet sheet;
    sheet.setPicturePath("modelo.bmp");
    const Result error = CharacterFile().SaveCharacter("qsz.lib", sheet);
    const bool back = chdir(previous) == 0;
    if (error || !back)
        return "<save failed>";
    return readFile(dir / "qsz.lib");
}

TEST(TemplateTest, CommittedTemplateIsWhatTheCodecWritesNow) {
    const std::string committed = readFile(kCommittedTemplate);
    EXPECT_EQ(firstDifference(committed, templateWrittenNow()), -1)
        << "regenerate data/qsz.lib with make-template";
}

TEST(TemplateTest, TemplateLoadsAsTheBlankCharacter) {
    CharacterFile file;
    CharacterSheet sheet;
    sheet.setName("Outro");
    sheet.addAdvantage("2", "Algo");
    ASSERT_EQ(file.LoadCharacter(kCommittedTemplate, sheet), std::nullopt);
    CharacterData blank;
    blank.picturePath = "modelo.bmp";
    EXPECT_EQ(sheet.data(), blank);
    EXPECT_EQ(sheet.totalsText().grand, "0");
    EXPECT_EQ(file.currentFileName(), kCommittedTemplate);
    EXPECT_EQ(readFile(kCommittedTemplate).substr(0, 8), "\x07qsz.lib");
}

} // namespace
} // namespace kestrix

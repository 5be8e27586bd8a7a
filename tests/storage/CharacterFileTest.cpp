#include "storage/CharacterFile.h"

#include "tests/storage/RecordImage.h"
#include "tests/storage/TestFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

using test::firstDifference;
using test::readFile;
using test::RecordImage;
using test::TempDir;
using test::writeFile;

std::string slotText(const char* prefix, int i, std::size_t length) {
    std::string text = prefix + std::to_string(i) + " ";
    text.resize(length, static_cast<char>('a' + i));
    return text;
}

// Every field filled, accented letters in Windows-1252, some texts longer
// than their fields.
CharacterSheet fullSheet() {
    CharacterSheet sheet;
    sheet.setName("Jo\xE3o Ara\xFAjo de Concei\xE7\xE3o, o Her\xF3i do Sert\xE3o");
    sheet.setAttribute(Attribute::Forca, "1234567");
    sheet.setAttribute(Attribute::Habilidade, "-2");
    sheet.setAttribute(Attribute::Resistencia, "");
    sheet.setAttribute(Attribute::Armadura, "\xC1gua");
    sheet.setAttribute(Attribute::PoderDeFogo, "$1F");
    sheet.setMagicPath(MagicPath::Fogo, "1");
    sheet.setMagicPath(MagicPath::Agua, "3");
    sheet.setMagicPath(MagicPath::Ar, "4");
    sheet.setMagicPath(MagicPath::Terra, "2");
    sheet.setMagicPath(MagicPath::Luz, "5");
    sheet.setMagicPath(MagicPath::Trevas, "666666");
    for (int i = 0; i < 10; ++i) {
        sheet.addAdvantage(std::to_string(i), slotText("Per\xED"
                                                       "cia",
                                                       i, 41 - 2));
        sheet.addDisadvantage("-" + std::to_string(i), slotText("Fobia", i, 30));
    }
    std::vector<std::string> observations;
    for (int i = 0; i < 10; ++i)
        observations.push_back(slotText("Observa\xE7\xE3o", i, i == 4 ? 300 : 20 + i));
    sheet.setObservations(observations);
    sheet.setPicturePath("/home/jogador/figuras/" + std::string(300, 'p') + ".bmp");
    return sheet;
}

RecordImage expectedImageOf(const std::string& path, const CharacterSheet& sheet) {
    RecordImage image;
    image.text(0, path.substr(0, 255));
    image.text(256, sheet.name().substr(0, 40));
    const std::vector<std::string> values = {"12345", "-2", "",  "\xC1gua", "$1F",  "1",
                                             "2",     "3",  "4", "5",       "66666"};
    for (std::size_t i = 0; i < values.size(); ++i)
        image.text(297 + 6 * i, values[i]);
    image.littleEndian(364, 9).littleEndian(368, 9).littleEndian(372, 9);
    for (int i = 0; i < 10; ++i) {
        image.text(376 + 41 * i, sheet.advantages()[i].substr(0, 40));
        image.text(786 + 41 * i, sheet.disadvantages()[i]);
        image.text(1452 + 256 * i, sheet.observations()[i].substr(0, 255));
    }
    image.text(1196, sheet.picturePath().substr(0, 255));
    return image;
}

TEST(CharacterFileTest, EveryFieldLandsAtItsOffsetAndLoadsBackCut) {
    TempDir dir;
    const std::string path = dir / "her\xF3i.QsZ";
    const CharacterSheet sheet = fullSheet();
    ASSERT_EQ(sheet.advantages()[3].size(), 41u);

    CharacterFile file;
    ASSERT_EQ(file.SaveCharacter(path, sheet), std::nullopt);
    const std::string written = readFile(path);
    EXPECT_EQ(written.size(), 4012u);
    EXPECT_EQ(firstDifference(written, expectedImageOf(path, sheet).bytes()), -1);

    CharacterSheet loaded;
    CharacterFile other;
    ASSERT_EQ(other.LoadCharacter(path, loaded), std::nullopt);
    CharacterData cut = sheet.data();
    cut.name.resize(40);
    cut.attributes[0] = "12345";
    cut.magicPaths[static_cast<int>(MagicPath::Trevas)] = "66666";
    for (auto& line : cut.advantages)
        line = line.substr(0, 40);
    cut.observations[4].resize(255);
    cut.picturePath.resize(255);
    EXPECT_EQ(loaded.data(), cut);
    // Attributes 12345 - 2 + 0 + 0 + $1F, magic 1 + 2 + 3 + 4 + 5 + 66666, items 0..9 each way.
    EXPECT_EQ(loaded.totals().grand, 12374 + 66681 + 45 - 45);
    EXPECT_FALSE(loaded.isModified());
    EXPECT_EQ(other.currentFileName(), path);
}

TEST(CharacterFileTest, BytesASaveDoesNotFillKeepWhatTheImageHeld) {
    TempDir dir;
    const std::string path = dir / "a.QsZ";
    RecordImage old;
    old.byte(363, 0x5A).text(256, "Nome Comprido");
    old.littleEndian(364, 0xFFFFFFFF).littleEndian(368, 0xFFFFFFFF).littleEndian(372, 0xFFFFFFFF);
    writeFile(path, old.bytes());

    CharacterFile file;
    CharacterSheet sheet;
    ASSERT_EQ(file.LoadCharacter(path, sheet), std::nullopt);
    sheet.setName("Ana");
    sheet.addAdvantage("1", "Primeira");
    sheet.addAdvantage("2", "Segunda");
    sheet.addAdvantage("3", "Terceira");
    ASSERT_EQ(file.SaveCharacter(path, sheet), std::nullopt);
    sheet.removeAdvantage(0);
    ASSERT_EQ(file.SaveCharacter(path, sheet), std::nullopt);

    const std::string saved = readFile(path);
    EXPECT_EQ(saved[363], '\x5A') << "reserved byte";
    EXPECT_EQ(saved.substr(256, 14), "\x03"
                                     "Anae Comprido");
    EXPECT_EQ(saved.substr(364, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(saved.substr(376 + 82, 11), "\x0a"
                                          "3 Terceira")
        << "slot 2 keeps its leftover";

    CharacterSheet reloaded;
    ASSERT_EQ(CharacterFile().LoadCharacter(path, reloaded), std::nullopt);
    EXPECT_EQ(reloaded.advantages(), (std::vector<std::string>{"2 Segunda", "3 Terceira"}));
}

TEST(CharacterFileTest, EveryTooShortFileFailsAndChangesNothing) {
    TempDir dir;
    const std::string kept = dir / "kept.QsZ";
    const std::string shortFile = dir / "short.QsZ";
    CharacterFile file;
    CharacterSheet sheet = fullSheet();
    ASSERT_EQ(file.SaveCharacter(kept, sheet), std::nullopt);
    sheet.setName("Altera\xE7\xE3o por salvar");
    const CharacterData dataBefore = sheet.data();
    const CharacterRecord::Bytes imageBefore = file.image().bytes();

    writeFile(shortFile, std::string(4011, '\x07'));
    for (int length = 4011; length >= 0; --length) {
        ASSERT_EQ(truncate(shortFile.c_str(), length), 0);
        ASSERT_EQ(file.LoadCharacter(shortFile, sheet), fileError(FileErrorCode::ReadBeyondEnd))
            << length;
        ASSERT_EQ(sheet.data(), dataBefore) << length;
        ASSERT_TRUE(sheet.isModified()) << length;
        ASSERT_EQ(file.image().bytes(), imageBefore) << length;
        ASSERT_EQ(file.currentFileName(), kept) << length;
    }
    EXPECT_EQ(fileError(FileErrorCode::ReadBeyondEnd).message, "Read beyond end of file");
}

TEST(CharacterFileTest, ALongerFileLoadsFromItsFirstRecord) {
    TempDir dir;
    const std::string path = dir / "long.QsZ";
    RecordImage image;
    image.text(256, "Longo").littleEndian(364, 0xFFFFFFFF).littleEndian(368, 0xFFFFFFFF);
    image.littleEndian(372, 0xFFFFFFFF);
    writeFile(path, image.bytes() + std::string(1000, '\xFF'));

    CharacterFile file;
    CharacterSheet sheet;
    ASSERT_EQ(file.LoadCharacter(path, sheet), std::nullopt);
    EXPECT_EQ(sheet.name(), "Longo");
    EXPECT_EQ(file.image().bytes()[4011], 0);
}

TEST(CharacterFileTest, LoadingTakesThePathOpenedNotTheStoredOne) {
    TempDir dir;
    CharacterFile file;
    CharacterSheet sheet;
    ASSERT_EQ(file.SaveCharacter(dir / "original.QsZ", sheet), std::nullopt);
    writeFile(dir / "copy.QsZ", readFile(dir / "original.QsZ"));

    ASSERT_EQ(file.LoadCharacter(dir / "copy.QsZ", sheet), std::nullopt);
    EXPECT_EQ(file.currentFileName(), dir / "copy.QsZ");
    ASSERT_EQ(file.SaveCharacter(file.currentFileName(), sheet), std::nullopt);
    EXPECT_EQ(readFile(dir / "copy.QsZ").substr(1, (dir / "copy.QsZ").size()), dir / "copy.QsZ");
    EXPECT_EQ(readFile(dir / "original.QsZ").substr(1, (dir / "original.QsZ").size()),
              dir / "original.QsZ");

    file.clearCurrentFileName();
    EXPECT_EQ(file.currentFileName(), "");
    EXPECT_EQ(file.image().fileName(), "");
}

TEST(CharacterFileTest, PathsLongerThan255BytesAreSavedAndLoadedWhole) {
    TempDir dir;
    std::string path = dir.path();
    for (int level = 0; level < 3; ++level) {
        path += "/" + std::string(90, static_cast<char>('k' + level));
        ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    }
    path += "/personagem.QsZ";
    ASSERT_GT(path.size(), 255u);

    CharacterFile file;
    CharacterSheet sheet;
    sheet.setName("Longe");
    ASSERT_EQ(file.SaveCharacter(path, sheet), std::nullopt);
    EXPECT_EQ(file.currentFileName(), path);
    const std::string saved = readFile(path);
    EXPECT_EQ(saved.substr(0, 256), "\xFF" + path.substr(0, 255));

    CharacterFile other;
    CharacterSheet loaded;
    ASSERT_EQ(other.LoadCharacter(path, loaded), std::nullopt);
    EXPECT_EQ(loaded.name(), "Longe");
    EXPECT_EQ(other.currentFileName(), path);
}

// The file system speaks UTF-8; the record, like every text in it, Windows-1252.
TEST(CharacterFileTest, TheFileNameFieldHoldsThePathInWindows1252) {
    TempDir dir;
    struct Case {
        std::string folder;
        std::string name;
        std::string field; // after the folder's path
    };
    std::string aTilde;
    for (int i = 0; i < 120; ++i)
        aTilde += "\xC3\xA3";
    const Case cases[] = {
        {"q", "her\xC3\xB3i.QsZ", "/q/her\xF3i.QsZ"},
        {"\xE2\x82\xAC", "\xE6\x97\xA5\xE6\x9C\xAC \xC5\x93.QsZ", "/\x80/?? \x9C.QsZ"},
        // 240 bytes of UTF-8 are 120 characters: the whole path fits the field.
        {aTilde, "a.QsZ", "/" + std::string(120, '\xE3') + "/a.QsZ"},
    };
    for (const Case& c : cases) {
        const std::string folder = dir / c.folder;
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        const std::string path = folder + "/" + c.name;
        const std::string field = dir.path() + c.field;
        ASSERT_LE(field.size(), 255u);
        CharacterFile file;
        CharacterSheet sheet;
        sheet.setName("Her\xF3i");
        ASSERT_EQ(file.SaveCharacter(path, sheet), std::nullopt) << path;
        EXPECT_EQ(file.currentFileName(), path);
        EXPECT_EQ(readFile(path).substr(0, field.size() + 1),
                  static_cast<char>(field.size()) + field);

        CharacterFile other;
        CharacterSheet loaded;
        ASSERT_EQ(other.LoadCharacter(path, loaded), std::nullopt) << path;
        EXPECT_EQ(loaded.name(), "Her\xF3i");
        EXPECT_EQ(other.currentFileName(), path);
        EXPECT_EQ(other.image().fileName(), field);
    }
}

TEST(CharacterFileTest, ListsBeyondTheRecordAreRefusedWithNothingWritten) {
    struct Case {
        const char* message;
        void (*overfill)(CharacterSheet&);
    };
    const Case cases[] = {
        {"Too many observation lines (at most 10)",
         [](CharacterSheet& s) { s.setObservations(std::vector<std::string>(11, "linha")); }},
        {"Too many advantages (at most 10)",
         [](CharacterSheet& s) {
             for (int i = 0; i < 11; ++i)
                 s.addAdvantage("1", "Item");
         }},
        {"Too many disadvantages (at most 10)",
         [](CharacterSheet& s) {
             for (int i = 0; i < 11; ++i)
                 s.addDisadvantage("1", "Item");
         }},
    };
    for (const Case& c : cases) {
        TempDir dir;
        CharacterFile file;
        CharacterSheet sheet;
        ASSERT_EQ(file.SaveCharacter(dir / "before.QsZ", sheet), std::nullopt);
        const CharacterRecord::Bytes imageBefore = file.image().bytes();
        c.overfill(sheet);
        EXPECT_EQ(file.SaveCharacter(dir / "after.QsZ", sheet), (Error{0, c.message}));
        EXPECT_EQ(readFile(dir / "after.QsZ"), "<missing>") << c.message;
        EXPECT_EQ(file.currentFileName(), dir / "before.QsZ") << c.message;
        EXPECT_EQ(file.image().bytes(), imageBefore) << c.message;
    }
}

} // namespace
} // namespace kestrix

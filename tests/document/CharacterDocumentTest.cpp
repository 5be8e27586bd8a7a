#include "document/CharacterDocument.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

using namespace std::chrono_literals;

Picture redPicture() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    return {Picture::Kind::Bitmap, image};
}

class CharacterDocumentTest : public ::testing::Test {
protected:
    CharacterDocumentTest() {
        character.setClock([this] { return now; });
        character.setStandardPictures(redPicture(), Picture{});
        character.resetHistory(redPicture());
    }

    int steps() const { return character.undoStack().count(); }

    CharacterDocument character;
    Document& document = character.document();
    std::chrono::milliseconds now{0};
};

// Every edit the window forwards: what it changes, the step it leaves (as
// "Desfazer ..." names it), and that Desfazer puts back exactly the state
// before it, flag included, and Refazer the state after.
TEST_F(CharacterDocumentTest, EachEditIsOneStepThatUndoesAndRedoesExactly) {
    const struct {
        const char* step;
        std::function<void(CharacterDocument&)> prepare;
        std::function<void(CharacterDocument&)> edit;
        bool changesTotals;
    } cases[] = {
        {"digitação em Nome", nullptr, [](auto& d) { d.setName("Zed"); }, false},
        {"digitação em Força", nullptr, [](auto& d) { d.setAttribute(Attribute::Forca, "3"); },
         true},
        {"digitação em Poder de Fogo", nullptr,
         [](auto& d) { d.setAttribute(Attribute::PoderDeFogo, "2"); }, true},
        {"digitação em Água", nullptr, [](auto& d) { d.setMagicPath(MagicPath::Agua, "4"); }, true},
        {"digitação em Observações", nullptr,
         [](auto& d) { d.setObservations("linha", {"linha"}); }, false},
        {"aquisição de 2 Voo", nullptr, [](auto& d) { d.acquireAdvantage("2", "Voo"); }, true},
        {"aquisição de -1 Má Fama", nullptr,
         [](auto& d) { d.acquireDisadvantage("-1", "M\xe1 Fama"); }, true},
        {"remoção de 2 Voo", [](auto& d) { d.acquireAdvantage("2", "Voo"); },
         [](auto& d) { d.removeAdvantage(0); }, true},
        {"remoção de -1 Lerdo", [](auto& d) { d.acquireDisadvantage("-1", "Lerdo"); },
         [](auto& d) { d.removeDisadvantage(0); }, true},
        {"remoção da figura", nullptr, [](auto& d) { d.removePicture(); }, false},
        {"figura padrão", [](auto& d) { d.removePicture(); },
         [](auto& d) { d.useDefaultPicture(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        document.sheet.replaceData(CharacterData{});
        character.resetHistory(redPicture());
        if (c.prepare) {
            c.prepare(character);
            character.saved();
        }
        const CharacterData before = document.sheet.data();
        const Picture pictureBefore = character.picture();
        const TotalsText totalsBefore = document.sheet.totalsText();
        QSignalSpy totals(&character, &CharacterDocument::totalsChanged);

        c.edit(character);
        const CharacterData after = document.sheet.data();
        EXPECT_TRUE(character.isModified());
        ASSERT_TRUE(character.undoStack().canUndo());
        EXPECT_EQ(character.undoStack().undoText().toStdString(), c.step);
        EXPECT_EQ(document.sheet.totalsText().grand != totalsBefore.grand, c.changesTotals);
        EXPECT_EQ(!totals.isEmpty(), c.changesTotals);

        character.undo();
        EXPECT_TRUE(document.sheet.data() == before);
        EXPECT_EQ(character.picture().image, pictureBefore.image);
        EXPECT_EQ(document.sheet.totalsText().grand, totalsBefore.grand);
        EXPECT_FALSE(character.isModified()) << "back at the saved step";

        character.redo();
        EXPECT_TRUE(document.sheet.data() == after);
        EXPECT_TRUE(character.isModified());
    }
}

// Keystrokes in one field join one step until a pause or another field;
// typing that comes back to where it began leaves no step at all.
TEST_F(CharacterDocumentTest, TypingRunsFollowThePauseAndTheField) {
    const struct {
        const char* description;
        std::chrono::milliseconds pause;
        bool otherField;
        int steps;
    } cases[] = {
        {"within the pause", CharacterDocument::kTypingPause - 1ms, false, 1},
        {"after the pause", CharacterDocument::kTypingPause + 1ms, false, 2},
        {"in another field", 0ms, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        document.sheet.replaceData(CharacterData{});
        character.resetHistory(Picture{});
        character.setName("A");
        now += c.pause;
        if (c.otherField)
            character.setAttribute(Attribute::Habilidade, "1");
        else
            character.setName("AB");
        EXPECT_EQ(steps(), c.steps);
    }

    document.sheet.replaceData(CharacterData{});
    character.resetHistory(Picture{});
    const std::string name = document.sheet.name();
    character.setName(name + "x");
    character.setName(name);
    EXPECT_FALSE(character.undoStack().canUndo()) << "typing undone by hand";
    EXPECT_FALSE(character.isModified());

    character.setName("A");
    character.endTypingRun();
    character.setName("AB");
    EXPECT_EQ(steps(), 2) << "the focus moved on between the keystrokes";
}

// The flag: set by any edit, and by opening an add dialog or choosing a
// picture file even when nothing else changes; clear exactly at the step
// last saved, on either side of it.
TEST_F(CharacterDocumentTest, TheFlagFollowsTheSavedStep) {
    QSignalSpy modified(&character, &CharacterDocument::modifiedChanged);
    character.addDialogOpened();
    EXPECT_TRUE(character.isModified());
    EXPECT_EQ(steps(), 0) << "opening a dialog is no step";
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.last().at(0).toBool());

    character.resetHistory(character.picture());
    EXPECT_FALSE(character.isModified());
    QTemporaryDir folder;
    const Result error = character.setPictureFile(folder.filePath("missing.bmp"));
    EXPECT_TRUE(error);
    EXPECT_TRUE(character.isModified()) << "a refused picture still counts as an edit";
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(character.picture().isEmpty()) << "the picture shown stays";

    character.resetHistory(character.picture());
    character.setName("A");
    character.saved();
    EXPECT_FALSE(character.isModified());
    character.undo();
    EXPECT_TRUE(character.isModified()) << "before the save";
    character.redo();
    EXPECT_FALSE(character.isModified()) << "at the save again";
    character.setName("AB");
    EXPECT_TRUE(character.isModified());
}

TEST_F(CharacterDocumentTest, APictureFileBecomesTheShownPictureAndItsPathIsKept) {
    QTemporaryDir folder;
    const QString path = folder.filePath("retrato.bmp");
    ASSERT_TRUE(redPicture().image.save(path, "BMP"));
    character.removePicture();
    ASSERT_FALSE(character.setPictureFile(path));
    EXPECT_EQ(character.picture().image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(document.sheet.picturePath(), path.toStdString());
    EXPECT_EQ(character.undoStack().undoText(), QString::fromUtf8("troca de figura"));
    character.undo();
    EXPECT_TRUE(character.picture().isEmpty());
    EXPECT_NE(document.sheet.picturePath(), path.toStdString());
}

// New and Open put another character in place: the history of the last one
// must not reach it, nor its flag.
TEST_F(CharacterDocumentTest, ALoadedCharacterStartsAFreshSavedHistory) {
    character.setName("Antigo");
    character.acquireAdvantage("2", "Voo");
    CharacterData other;
    other.name = "Outro";
    document.sheet.replaceData(other);
    character.loaded(Picture{}, "uma\nduas", {"uma", "duas"});
    EXPECT_FALSE(character.undoStack().canUndo());
    EXPECT_FALSE(character.isModified());
    EXPECT_EQ(document.sheet.name(), "Outro");
    EXPECT_EQ(document.sheet.observations(), (std::vector<std::string>{"uma", "duas"}));
    EXPECT_EQ(character.observationsText(), "uma\nduas");
    EXPECT_TRUE(character.picture().isEmpty());
}

// Long sessions keep a bounded history: the oldest steps go first.
TEST_F(CharacterDocumentTest, TheHistoryKeepsTheLastThousandSteps) {
    for (int i = 0; i < CharacterDocument::kStepLimit + 5; ++i) {
        character.setName(std::to_string(i));
        character.endTypingRun();
    }
    EXPECT_EQ(steps(), CharacterDocument::kStepLimit);
    while (character.undoStack().canUndo())
        character.undo();
    EXPECT_EQ(document.sheet.name(), "4");
}

} // namespace
} // namespace kestrix

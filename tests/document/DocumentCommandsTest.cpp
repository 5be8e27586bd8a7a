#include "document/DocumentCommands.h"

#include "document/SessionEnd.h"
#include "document/Startup.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <iterator>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

namespace fs = std::filesystem;
using Answer = DocumentView::PromptAnswer;
using Prompt = DocumentView::SavePrompt;

// A view that answers from a script and records what it was asked.
class ScriptedView : public DocumentView {
public:
    std::deque<Answer> promptAnswers;
    std::deque<std::optional<std::string>> savePaths;
    std::deque<std::optional<std::string>> openPaths;
    std::vector<Prompt> promptsShown;
    std::vector<std::string> suggestedNames;
    std::vector<std::string> errors;
    std::vector<std::string> filesUsed;
    int refills = 0;
    int savesReported = 0;
    int openDialogs = 0;
    bool terminated = false;
    std::deque<bool> replaceAnswers; // "Substituir ...?", Não when none is left
    std::deque<bool> reloadAnswers;  // "Recarregar?", Não when none is left
    std::vector<std::string> replaceAsked;
    std::vector<std::string> reloadAsked;
    std::string watchedFile;

    Answer askToSave(Prompt prompt) override {
        promptsShown.push_back(prompt);
        return next(promptAnswers, Answer::Cancelar);
    }
    std::optional<std::string> askOpenPath() override {
        ++openDialogs;
        return next(openPaths, std::optional<std::string>{});
    }
    std::optional<std::string> askSavePath(const std::string& suggested) override {
        suggestedNames.push_back(suggested);
        return next(savePaths, std::optional<std::string>{});
    }
    void reportError(const Error& error) override { errors.push_back(error.message); }
    void sheetReplaced() override { ++refills; }
    void sheetSaved() override { ++savesReported; }
    void terminate() override { terminated = true; }
    void characterFileUsed(const std::string& path) override { filesUsed.push_back(path); }
    void currentFileChanged(const std::string& path) override { watchedFile = path; }
    bool askToReplaceChangedFile(const std::string& path) override {
        replaceAsked.push_back(path);
        return next(replaceAnswers, false);
    }
    bool askToReload(const std::string& path) override {
        reloadAsked.push_back(path);
        return next(reloadAnswers, false);
    }

private:
    template <typename T> static T next(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test runs in a fresh directory holding the blank template, since New
// looks for it by bare name in the current directory.
class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousDirectory = fs::current_path();
        m_dir = fs::temp_directory_path() /
                ("kestrix-doc-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        fs::current_path(m_dir);
        CharacterFile writer;
        CharacterSheet blank;
        blank.setPicturePath("modelo.bmp");
        ASSERT_FALSE(writer.SaveCharacter("qsz.lib", blank));
    }
    void TearDown() override {
        fs::current_path(m_previousDirectory);
        fs::remove_all(m_dir);
    }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    // A character saved at `name`, loaded clean into the document.
    void openSaved(const std::string& name, const std::string& characterName) {
        CharacterFile writer;
        CharacterSheet sheet;
        sheet.setName(characterName);
        ASSERT_FALSE(writer.SaveCharacter(path(name), sheet));
        ASSERT_TRUE(commands.openFile(path(name)));
    }

    void makeDirty(const std::string& name = "Editado") { document.sheet.setName(name); }

    Document document;
    ScriptedView view;
    DocumentCommands commands{document, view};
    fs::path m_dir;
    fs::path m_previousDirectory;
};

TEST_F(DocumentCommandsTest, SaveOnAnUntitledCharacterSuggestsItsNameAndClearsTheFlag) {
    makeDirty("Nome do Personagem");
    view.savePaths.push_back(path("heroi.QsZ"));
    EXPECT_TRUE(commands.save());
    EXPECT_EQ(view.suggestedNames, std::vector<std::string>{"Nome do Personagem"});
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_EQ(view.savesReported, 1) << "the window marks its history's saved step";
    EXPECT_EQ(document.file.currentFileName(), path("heroi.QsZ"));
    EXPECT_EQ(fs::file_size(path("heroi.QsZ")), 4012u);
}

TEST_F(DocumentCommandsTest, SaveOnANamedCharacterWritesWithoutADialog) {
    openSaved("a.QsZ", "Antes");
    makeDirty("Depois");
    EXPECT_TRUE(commands.save());
    EXPECT_TRUE(view.suggestedNames.empty());
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_NE(readBytes(path("a.QsZ")).find("Depois"), std::string::npos);
}

TEST_F(DocumentCommandsTest, ACancelledSaveDialogSavesNothing) {
    makeDirty();
    EXPECT_FALSE(commands.save());
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(view.savesReported, 0);
    EXPECT_TRUE(document.file.currentFileName().empty());
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheFlagAndTargetsThePathTried) {
    makeDirty();
    const std::string unreachable = path("nao-existe/x.QsZ");
    view.savePaths.push_back(unreachable);
    EXPECT_FALSE(commands.save());
    EXPECT_EQ(view.errors, std::vector<std::string>{"Invalid filename"});
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(view.savesReported, 0) << "a failed write is no saved state";
    EXPECT_EQ(document.file.currentFileName(), unreachable);
}

TEST_F(DocumentCommandsTest, SaveAsSuggestsTheCurrentFileOrASafeName) {
    // A name must not become a folder path, nor hold what a path is cut at.
    const struct {
        std::string name;
        std::string suggested;
    } names[] = {
        {"Ana/Beto", "Ana-Beto"},
        {std::string("alda.QsZ\0", 9), "alda.QsZ-"},
        {"Cora\tde\nLima\x7f", "Cora-de-Lima-"},
        {"Dan\x81\xe9", "Dan-\xc3\xa9"},
    };
    for (const auto& c : names) {
        makeDirty(c.name);
        commands.saveAs();
        EXPECT_EQ(view.suggestedNames.back(), c.suggested);
    }
    EXPECT_TRUE(document.sheet.isModified());

    openSaved("b.QsZ", "B");
    makeDirty();
    view.savePaths.push_back(path("c.QsZ"));
    commands.saveAs();
    EXPECT_EQ(view.suggestedNames.back(), path("b.QsZ"));
    EXPECT_EQ(document.file.currentFileName(), path("c.QsZ"));
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(DocumentCommandsTest, NewWhenCleanLoadsTheTemplateUntitled) {
    openSaved("d.QsZ", "Dora");
    commands.newCharacter();
    EXPECT_TRUE(view.promptsShown.empty());
    EXPECT_EQ(document.sheet.name(), "Nome do Personagem");
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
    EXPECT_TRUE(document.file.currentFileName().empty());
    EXPECT_FALSE(document.sheet.isModified());
}

struct PromptCase {
    const char* description;
    Answer answer;
    std::optional<std::string> savePath; // for an untitled sheet after "Sim"
    bool expectSaved;
    bool expectReplaced; // template loaded (New) or program ended (Exit)
};

void PrintTo(const PromptCase& c, std::ostream* os) {
    *os << c.description;
}

const std::vector<PromptCase> kPromptCases = {
    {"Sim saves then goes on", Answer::Sim, std::string("salvo.QsZ"), true, true},
    {"Sim with a cancelled save dialog stops", Answer::Sim, std::nullopt, false, false},
    {"Sim with a failed save stops", Answer::Sim, std::string("falta/x.QsZ"), false, false},
    {"Nao goes on without saving", Answer::Nao, std::nullopt, false, true},
    {"Cancelar stops", Answer::Cancelar, std::nullopt, false, false},
};

class NewPromptTest : public DocumentCommandsTest,
                      public ::testing::WithParamInterface<PromptCase> {};

TEST_P(NewPromptTest, TheSaveBeforeNewPromptFinishesTheCommand) {
    const PromptCase& c = GetParam();
    makeDirty("Sujo");
    view.promptAnswers.push_back(c.answer);
    if (c.savePath)
        view.savePaths.push_back(path(*c.savePath));
    commands.newCharacter();

    EXPECT_EQ(view.promptsShown, std::vector<Prompt>{Prompt::BeforeNew});
    EXPECT_EQ(fs::exists(path("salvo.QsZ")), c.expectSaved);
    EXPECT_EQ(document.sheet.name(), c.expectReplaced ? "Nome do Personagem" : "Sujo");
    EXPECT_EQ(document.sheet.isModified(), !c.expectReplaced);
    if (c.expectReplaced) {
        EXPECT_TRUE(document.file.currentFileName().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, NewPromptTest, ::testing::ValuesIn(kPromptCases));

class ExitPromptTest : public DocumentCommandsTest,
                       public ::testing::WithParamInterface<PromptCase> {};

TEST_P(ExitPromptTest, TheSaveBeforeExitPromptFinishesTheCommand) {
    const PromptCase& c = GetParam();
    makeDirty("Sujo");
    view.promptAnswers.push_back(c.answer);
    if (c.savePath)
        view.savePaths.push_back(path(*c.savePath));
    commands.exit();

    EXPECT_EQ(view.promptsShown, std::vector<Prompt>{Prompt::BeforeExit});
    EXPECT_EQ(fs::exists(path("salvo.QsZ")), c.expectSaved);
    EXPECT_EQ(view.terminated, c.expectReplaced);
    EXPECT_EQ(document.sheet.isModified(), !c.expectSaved);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExitPromptTest, ::testing::ValuesIn(kPromptCases));

// The session manager's side of a logout, as the program answers it.
class RecordingSessionEnd : public SessionEndRequest {
public:
    explicit RecordingSessionEnd(bool interactionAllowed) : m_allowed(interactionAllowed) {}
    bool allowsInteraction() override {
        ++interactionRequests;
        return m_allowed;
    }
    void release() override { released = true; }
    void cancel() override { cancelled = true; }

    int interactionRequests = 0;
    bool released = false;
    bool cancelled = false;

private:
    bool m_allowed;
};

class SessionEndPromptTest : public DocumentCommandsTest,
                             public ::testing::WithParamInterface<PromptCase> {};

// Logging out asks as Exit does; what would stop Exit calls the logout off,
// and the program never ends itself: the session manager does that.
TEST_P(SessionEndPromptTest, TheExitPromptDecidesWhetherTheLogoutGoesOn) {
    const PromptCase& c = GetParam();
    makeDirty("Sujo");
    view.promptAnswers.push_back(c.answer);
    if (c.savePath)
        view.savePaths.push_back(path(*c.savePath));
    RecordingSessionEnd session(true);
    answerSessionEnd(document.sheet, commands, session);

    EXPECT_EQ(view.promptsShown, std::vector<Prompt>{Prompt::BeforeExit});
    EXPECT_EQ(fs::exists(path("salvo.QsZ")), c.expectSaved);
    EXPECT_EQ(session.cancelled, !c.expectReplaced);
    EXPECT_TRUE(session.released);
    EXPECT_FALSE(view.terminated);
}

INSTANTIATE_TEST_SUITE_P(Answers, SessionEndPromptTest, ::testing::ValuesIn(kPromptCases));

TEST_F(DocumentCommandsTest, ALogoutAsksNothingWhenCleanOrWhenNoWindowMayShow) {
    RecordingSessionEnd clean(true);
    answerSessionEnd(document.sheet, commands, clean);
    EXPECT_EQ(clean.interactionRequests, 0) << "no need to hold the logout up";
    EXPECT_FALSE(clean.cancelled);

    makeDirty("Sujo");
    RecordingSessionEnd noWindows(false);
    answerSessionEnd(document.sheet, commands, noWindows);
    EXPECT_EQ(noWindows.interactionRequests, 1);
    EXPECT_TRUE(view.promptsShown.empty());
    EXPECT_FALSE(noWindows.cancelled);
}

// The catalogue editor's unsaved edits hold a logout up as the character's
// do: asked about first, and a Cancelar there calls the logout off before
// the character is asked about.
TEST_F(DocumentCommandsTest, ALogoutOffersOtherUnsavedWorkFirst) {
    const struct {
        bool characterModified;
        bool otherLetGo;
        bool expectCancelled;
        std::size_t expectPrompts;
    } cases[] = {
        {false, true, false, 0},
        {false, false, true, 0},
        {true, false, true, 0},
        {true, true, false, 1},
    };
    for (const auto& c : cases) {
        view.promptsShown.clear();
        if (c.characterModified) {
            makeDirty("Sujo");
            view.promptAnswers.push_back(Answer::Nao);
        }
        int offers = 0;
        const OtherUnsavedWork other{true, [&] {
                                         ++offers;
                                         return c.otherLetGo;
                                     }};
        RecordingSessionEnd session(true);
        answerSessionEnd(document.sheet, commands, session, other);
        EXPECT_EQ(offers, 1);
        EXPECT_EQ(session.cancelled, c.expectCancelled);
        EXPECT_EQ(view.promptsShown.size(), c.expectPrompts);
        view.promptAnswers.clear();
    }
}

TEST_F(DocumentCommandsTest, ExitWhenCleanEndsWithoutAPrompt) {
    makeDirty();
    view.savePaths.push_back(path("e.QsZ"));
    ASSERT_TRUE(commands.save());
    commands.exit();
    EXPECT_TRUE(view.promptsShown.empty());
    EXPECT_TRUE(view.terminated);
}

TEST_F(DocumentCommandsTest, OpenAsksFirstWhenThereAreUnsavedChanges) {
    openSaved("f.QsZ", "Fulano");

    makeDirty("Sujo");
    view.promptAnswers.push_back(Answer::Cancelar);
    commands.open();
    EXPECT_EQ(view.openDialogs, 0);
    EXPECT_EQ(document.sheet.name(), "Sujo");

    view.promptAnswers.push_back(Answer::Nao);
    view.openPaths.push_back(path("f.QsZ"));
    commands.open();
    EXPECT_EQ(view.openDialogs, 1);
    EXPECT_EQ(document.sheet.name(), "Fulano");
    EXPECT_FALSE(document.sheet.isModified());

    makeDirty("Salvo antes");
    view.promptAnswers.push_back(Answer::Sim);
    view.openPaths.push_back(std::nullopt);
    commands.open();
    EXPECT_EQ(view.openDialogs, 2);
    EXPECT_NE(readBytes(path("f.QsZ")).find("Salvo antes"), std::string::npos);
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(DocumentCommandsTest, OpenWithACancelledSaveDialogEndsTheCommand) {
    makeDirty();
    view.promptAnswers.push_back(Answer::Sim);
    commands.open();
    EXPECT_EQ(view.openDialogs, 0);
    EXPECT_TRUE(document.sheet.isModified());
}

TEST_F(DocumentCommandsTest, AFailedLoadChangesNothing) {
    openSaved("g.QsZ", "Gil");
    makeDirty("Sujo");
    view.promptAnswers.push_back(Answer::Nao);
    view.openPaths.push_back(path("sumiu.QsZ"));
    const int refillsBefore = view.refills;
    commands.open();
    EXPECT_EQ(view.errors, std::vector<std::string>{"File not found"});
    EXPECT_EQ(document.sheet.name(), "Sujo");
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(document.file.currentFileName(), path("g.QsZ"));
    EXPECT_EQ(view.refills, refillsBefore);
}

TEST_F(DocumentCommandsTest, NewWithoutTheTemplateReportsAndChangesNothing) {
    openSaved("h.QsZ", "Hugo");
    fs::remove(path("qsz.lib"));
    commands.newCharacter();
    EXPECT_EQ(view.errors, std::vector<std::string>{"qsz.lib: File not found"});
    EXPECT_EQ(document.sheet.name(), "Hugo");
    EXPECT_EQ(document.file.currentFileName(), path("h.QsZ"));
}

// Novo takes the blank character from the first data folder holding it:
// the user's own, then the site's, then the program's.
TEST_F(DocumentCommandsTest, NewTakesTheBlankCharacterFromTheFirstDataFolder) {
    fs::create_directories(m_dir / "user");
    fs::create_directories(m_dir / "site");
    document.dataFolders = DataFolders{path("user"), path("site"), m_dir.string()};
    const std::pair<const char*, const char*> blanks[] = {{"site", "Do Grupo"},
                                                          {"user", "Meu Modelo"}};
    for (const auto& [folder, name] : blanks) {
        CharacterSheet blank;
        blank.setName(name);
        ASSERT_FALSE(CharacterFile().SaveCharacter(path(std::string(folder) + "/qsz.lib"), blank));
        commands.newCharacter();
        EXPECT_EQ(document.sheet.name(), name) << folder;
        EXPECT_TRUE(document.file.currentFileName().empty()) << folder;
    }
    EXPECT_TRUE(view.errors.empty());
}

TEST_F(DocumentCommandsTest, AFailedTemplateLoadAfterACompletedSaveLeavesTheSheetSavedAndClean) {
    makeDirty("Guardado");
    fs::remove(path("qsz.lib"));
    view.promptAnswers.push_back(Answer::Sim);
    view.savePaths.push_back(path("i.QsZ"));
    commands.newCharacter();
    EXPECT_EQ(view.errors, std::vector<std::string>{"qsz.lib: File not found"});
    EXPECT_EQ(document.sheet.name(), "Guardado");
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_EQ(view.savesReported, 1);
    EXPECT_EQ(document.file.currentFileName(), path("i.QsZ"));
}

TEST_F(DocumentCommandsTest, ACopiedFileIsSavedWhereItNowIs) {
    openSaved("original.QsZ", "Original");
    fs::copy_file(path("original.QsZ"), path("copia.QsZ"));
    ASSERT_TRUE(commands.openFile(path("copia.QsZ")));
    makeDirty("Copia");
    ASSERT_TRUE(commands.save());
    EXPECT_EQ(readBytes(path("original.QsZ")).find("Copia"), std::string::npos);
    const std::string copy = readBytes(path("copia.QsZ"));
    EXPECT_EQ(copy.substr(1, static_cast<unsigned char>(copy[0])), path("copia.QsZ"));
}

// Opening a file chosen without the dialog (a recent character, a dropped
// file) goes through the same prompt as Open, and shows no dialog.
TEST_F(DocumentCommandsTest, OpenPathPromptsFirstAndOpensWithoutADialog) {
    openSaved("j.QsZ", "Joana");
    openSaved("k.QsZ", "Kleber");

    makeDirty("Sujo");
    view.promptAnswers.push_back(Answer::Cancelar);
    EXPECT_FALSE(commands.openPath(path("j.QsZ")));
    EXPECT_EQ(document.sheet.name(), "Sujo");

    view.promptAnswers.push_back(Answer::Sim);
    EXPECT_TRUE(commands.openPath(path("j.QsZ")));
    EXPECT_EQ(document.sheet.name(), "Joana");
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_NE(readBytes(path("k.QsZ")).find("Sujo"), std::string::npos) << "saved first";
    EXPECT_EQ(document.file.currentFileName(), path("j.QsZ"));
    EXPECT_EQ(view.openDialogs, 0);
    EXPECT_EQ(view.promptsShown, (std::vector<Prompt>{Prompt::BeforeNew, Prompt::BeforeNew}));

    EXPECT_FALSE(commands.openPath(path("sumiu.QsZ")));
    EXPECT_EQ(view.errors, std::vector<std::string>{"File not found"});
    EXPECT_EQ(document.sheet.name(), "Joana");
}

// The recent characters take what was opened or saved, in order, and never
// the blank template, a failed load or a failed save.
TEST_F(DocumentCommandsTest, OnlyCompletedOpensAndSavesCountAsUsedFiles) {
    openSaved("l.QsZ", "Lia");
    commands.newCharacter();
    view.savePaths.push_back(path("m.QsZ"));
    commands.saveAs();
    commands.openPath(path("sumiu.QsZ"));
    view.savePaths.push_back(path("sem-pasta/n.QsZ"));
    commands.saveAs();
    EXPECT_EQ(view.filesUsed, (std::vector<std::string>{path("l.QsZ"), path("m.QsZ")}));
}

// ---- another program's changes to the open file ----

// What another program may do to the file meanwhile.
enum class Meanwhile { Nothing, ReplacedByRename, RewrittenInPlace, TouchedOnly, Deleted };

const char* describe(Meanwhile what) {
    switch (what) {
    case Meanwhile::Nothing:
        return "nothing";
    case Meanwhile::ReplacedByRename:
        return "replaced by a rename";
    case Meanwhile::RewrittenInPlace:
        return "rewritten in place";
    case Meanwhile::TouchedOnly:
        return "touched only";
    case Meanwhile::Deleted:
        return "deleted";
    }
    return "";
}

// Does it to `file`, leaving the character named `name` where there is one.
void happen(Meanwhile what, const fs::path& file, const std::string& name) {
    CharacterFile other;
    CharacterSheet sheet;
    sheet.setName(name);
    switch (what) {
    case Meanwhile::Nothing:
        break;
    case Meanwhile::ReplacedByRename:
        ASSERT_FALSE(other.SaveCharacter(file.string() + ".novo", sheet));
        fs::rename(file.string() + ".novo", file);
        break;
    case Meanwhile::RewrittenInPlace: {
        // The same inode and size, at once: within the clock's granularity
        // the modification time may not move.
        ASSERT_FALSE(other.SaveCharacter(file.string() + ".novo", sheet));
        const std::string bytes = readBytes(file.string() + ".novo");
        fs::remove(file.string() + ".novo");
        std::fstream(file, std::ios::in | std::ios::out | std::ios::binary) << bytes;
        break;
    }
    case Meanwhile::TouchedOnly:
        fs::last_write_time(file, fs::last_write_time(file) + std::chrono::hours(1));
        break;
    case Meanwhile::Deleted:
        fs::remove(file);
        break;
    }
}

// Save asks before it writes over another program's change, and Não keeps
// that change and the work in the window; a touch or a deleted file
// holds nothing to lose.
TEST_F(DocumentCommandsTest, SaveAsksBeforeWritingOverAnotherProgramsChange) {
    const struct {
        Meanwhile what;
        bool asked;
    } cases[] = {
        {Meanwhile::Nothing, false},         {Meanwhile::ReplacedByRename, true},
        {Meanwhile::RewrittenInPlace, true}, {Meanwhile::TouchedOnly, false},
        {Meanwhile::Deleted, false},
    };
    for (const bool answer : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(describe(c.what)) + (answer ? ", Sim" : ", Não"));
            view = ScriptedView{};
            openSaved("a.QsZ", "Antes");
            makeDirty("Nesta janela");
            happen(c.what, path("a.QsZ"), "Outro programa");
            view.replaceAnswers.push_back(answer);
            const bool writes = !c.asked || answer;
            EXPECT_EQ(commands.save(), writes);
            EXPECT_EQ(view.replaceAsked, c.asked ? std::vector<std::string>{path("a.QsZ")}
                                                 : std::vector<std::string>{});
            EXPECT_NE(readBytes(path("a.QsZ")).find(writes ? "Nesta janela" : "Outro programa"),
                      std::string::npos);
            EXPECT_EQ(document.sheet.isModified(), !writes);
            // What was written is what is known now: the next save asks nothing.
            if (writes) {
                makeDirty("Mais tarde");
                EXPECT_TRUE(commands.save());
                EXPECT_EQ(view.replaceAsked.size(), c.asked ? 1u : 0u);
            }
        }
    }
}

// Save As to the same file asks as Save does; to another file, what the
// first file became is no longer this window's concern.
TEST_F(DocumentCommandsTest, SaveAsAsksOnlyAboutTheFileItWritesOver) {
    openSaved("a.QsZ", "Antes");
    makeDirty();
    happen(Meanwhile::ReplacedByRename, path("a.QsZ"), "Outro programa");
    view.savePaths = {path("a.QsZ"), path("b.QsZ")};
    commands.saveAs();
    EXPECT_EQ(view.replaceAsked.size(), 1u);
    commands.saveAs();
    EXPECT_EQ(view.replaceAsked.size(), 1u);
    EXPECT_NE(readBytes(path("b.QsZ")).find("Editado"), std::string::npos);
    EXPECT_NE(readBytes(path("a.QsZ")).find("Outro programa"), std::string::npos);
}

// With nothing unsaved, a change on disk is offered for loading; once
// declined it is not offered again, and with unsaved work nothing is asked
// until Save.
TEST_F(DocumentCommandsTest, ACleanCharacterFollowsItsFileOnDisk) {
    const struct {
        Meanwhile what;
        bool modified;
        std::optional<bool> answer; // nothing: not asked
        const char* nameAfter;
    } cases[] = {
        {Meanwhile::ReplacedByRename, false, true, "Outro programa"},
        {Meanwhile::RewrittenInPlace, false, true, "Outro programa"},
        {Meanwhile::ReplacedByRename, false, false, "Antes"},
        {Meanwhile::TouchedOnly, false, std::nullopt, "Antes"},
        {Meanwhile::Deleted, false, std::nullopt, "Antes"},
        {Meanwhile::ReplacedByRename, true, std::nullopt, "Editado"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(describe(c.what)) + (c.modified ? ", modified" : ""));
        view = ScriptedView{};
        openSaved("a.QsZ", "Antes");
        if (c.modified)
            makeDirty();
        happen(c.what, path("a.QsZ"), "Outro programa");
        if (c.answer)
            view.reloadAnswers.push_back(*c.answer);
        commands.checkFileOnDisk();
        EXPECT_EQ(view.reloadAsked.size(), c.answer ? 1u : 0u);
        EXPECT_EQ(document.sheet.name(), c.nameAfter);
        EXPECT_EQ(document.sheet.isModified(), c.modified);
        // Looking again asks nothing new.
        commands.checkFileOnDisk();
        EXPECT_EQ(view.reloadAsked.size(), c.answer ? 1u : 0u);
    }
    // A declined change that changes again is offered again.
    view = ScriptedView{};
    openSaved("a.QsZ", "Antes");
    happen(Meanwhile::ReplacedByRename, path("a.QsZ"), "Outro programa");
    view.reloadAnswers = {false, true};
    commands.checkFileOnDisk();
    happen(Meanwhile::ReplacedByRename, path("a.QsZ"), "Terceiro");
    commands.checkFileOnDisk();
    EXPECT_EQ(view.reloadAsked.size(), 2u);
    EXPECT_EQ(document.sheet.name(), "Terceiro");
}

// A file the other program left unreadable is not offered again and again.
TEST_F(DocumentCommandsTest, AReloadThatFailsIsNotOfferedAgain) {
    openSaved("a.QsZ", "Antes");
    std::ofstream(path("a.QsZ"), std::ios::binary) << "curto";
    view.reloadAnswers.push_back(true);
    commands.checkFileOnDisk();
    commands.checkFileOnDisk();
    EXPECT_EQ(view.reloadAsked.size(), 1u);
    EXPECT_EQ(view.errors, std::vector<std::string>{"Read beyond end of file"});
    EXPECT_EQ(document.sheet.name(), "Antes");
}

// Recovered work is unsaved work: modified, under the file it had, and
// guarded against another program's change to that file since.
TEST_F(DocumentCommandsTest, RecoveredWorkSavesWhereTheUserMeant) {
    openSaved("a.QsZ", "Antes");
    makeDirty("Recuperado");
    RecoveryCopy copy;
    copy.filePath = document.file.currentFileName();
    copy.fileOnDisk = document.file.onDisk();
    copy.record = document.file.recordOf(document.sheet).bytes();

    Document later;
    ScriptedView laterView;
    DocumentCommands laterCommands(later, laterView);
    laterCommands.recover(copy);
    EXPECT_EQ(later.sheet.name(), "Recuperado");
    EXPECT_TRUE(later.sheet.isModified());
    EXPECT_EQ(later.file.currentFileName(), path("a.QsZ"));
    EXPECT_EQ(laterView.watchedFile, path("a.QsZ"));
    EXPECT_EQ(laterView.refills, 1);

    happen(Meanwhile::ReplacedByRename, path("a.QsZ"), "Outro programa");
    EXPECT_FALSE(laterCommands.save());
    EXPECT_EQ(laterView.replaceAsked.size(), 1u);
    laterView.replaceAnswers.push_back(true);
    EXPECT_TRUE(laterCommands.save());
    EXPECT_NE(readBytes(path("a.QsZ")).find("Recuperado"), std::string::npos);

    // An untitled character comes back untitled: Save asks for a name.
    copy.filePath.clear();
    copy.fileOnDisk.reset();
    laterCommands.recover(copy);
    EXPECT_EQ(later.file.currentFileName(), "");
    EXPECT_FALSE(laterCommands.save());
    EXPECT_EQ(laterView.suggestedNames, std::vector<std::string>{"Recuperado"});
}

// Start-up with the catalogues and the command-line file in place.
class StartupTest : public DocumentCommandsTest {
protected:
    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    StartupContext context(const std::string& argument = "") {
        return {m_dir.string(), argument, {}, {}};
    }
};

TEST_F(StartupTest, LoadsBothCataloguesPresetsThePictureAndOpensTheFileClean) {
    writeFile("vantagem.lib", "Sorte\r\n1\r\nAtaque\r\n-1\r\n");
    writeFile("desvant.lib", "Azar\r\n-1\r\n");
    openSaved("j.QsZ", "Joana");
    document = Document{};
    fs::current_path("/");

    runStartup(document, commands, view, context(path("j.QsZ")));
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(fs::current_path(), m_dir);
    EXPECT_EQ(document.advantageCatalogue.size(), 2);
    EXPECT_EQ(document.disadvantageCatalogue.size(), 1);
    EXPECT_EQ(document.sheet.name(), "Joana");
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(StartupTest, AMissingCatalogueIsReportedOnceAndStartUpGoesOn) {
    writeFile("vantagem.lib", "Sorte\r\n1\r\n");
    runStartup(document, commands, view, context());
    EXPECT_EQ(view.errors, std::vector<std::string>{"desvant.lib: File not found"});
    EXPECT_EQ(document.advantageCatalogue.size(), 1);
    EXPECT_TRUE(document.disadvantageCatalogue.empty());
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");

    openSaved("k.QsZ", "Kika");
    document = Document{};
    view.errors.clear();
    runStartup(document, commands, view, context(path("k.QsZ")));
    EXPECT_EQ(view.errors, std::vector<std::string>{"desvant.lib: File not found"});
    EXPECT_EQ(document.sheet.name(), "Kika");
    EXPECT_FALSE(document.sheet.isModified());
}

// main() reads the catalogues on another thread while the windows are
// built; start-up then takes them, errors and all, instead of reading.
TEST_F(StartupTest, TakesCataloguesReadAheadAndReportsTheirErrorsInOrder) {
    writeFile("vantagem.lib", "Sorte\r\n1\r\nAtaque\r\n-1\r\n");
    StartupCatalogues readAhead = loadStartupCatalogues(m_dir.string());
    ASSERT_FALSE(readAhead.advantagesError);
    ASSERT_TRUE(readAhead.disadvantagesError);
    // What start-up takes is what was read ahead, not what is there now.
    writeFile("vantagem.lib", "Sorte\r\n1\r\n");
    writeFile("desvant.lib", "Azar\r\n-1\r\n");
    int taken = 0;
    StartupContext ahead = context();
    ahead.readAheadCatalogues = [&] {
        ++taken;
        return std::move(readAhead);
    };

    runStartup(document, commands, view, ahead);
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(view.errors, std::vector<std::string>{"desvant.lib: File not found"});
    EXPECT_EQ(document.advantageCatalogue.size(), 2);
    EXPECT_EQ(document.advantageCatalogue.shownCost(1), "Var.");
    EXPECT_TRUE(document.disadvantageCatalogue.empty());
}

// What fails in the read-ahead thread reaches start-up through the future;
// it is reported once, and start-up goes on as without catalogue files.
TEST_F(StartupTest, AFailedReadAheadIsReportedAndStartUpGoesOn) {
    writeFile("vantagem.lib", "Sorte\r\n1\r\n");
    writeFile("desvant.lib", "Azar\r\n-1\r\n");
    openSaved("f.QsZ", "Falha");
    const struct {
        const char* description;
        std::function<StartupCatalogues()> task;
        std::string expected;
    } cases[] = {
        {"out of memory", []() -> StartupCatalogues { throw std::bad_alloc(); },
         "Not enough memory to read the catalogues"},
        {"another error", []() -> StartupCatalogues { throw std::runtime_error("sem disco"); },
         "Catalogues could not be read (sem disco)"},
        {"not an exception", []() -> StartupCatalogues { throw 7; },
         "Catalogues could not be read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        document = Document{};
        view.errors.clear();
        auto readAhead = std::async(std::launch::async, c.task);
        StartupContext ahead = context(path("f.QsZ"));
        ahead.readAheadCatalogues = [&] { return readAhead.get(); };
        runStartup(document, commands, view, ahead);
        EXPECT_EQ(view.errors, std::vector<std::string>{c.expected});
        EXPECT_TRUE(document.advantageCatalogue.empty());
        EXPECT_TRUE(document.disadvantageCatalogue.empty());
        EXPECT_EQ(document.sheet.name(), "Falha");
    }
}

// A catalogue that never ends (here a link to /dev/zero) is refused by the
// real read-ahead, naming the file, and the other catalogue still loads.
TEST_F(StartupTest, AnEndlessCatalogueIsRefusedAndTheOtherLoads) {
    fs::create_symlink("/dev/zero", path("vantagem.lib"));
    writeFile("desvant.lib", "Azar\r\n-1\r\n");
    StartupContext ahead = context();
    ahead.readAheadCatalogues = [&] { return loadStartupCatalogues(m_dir.string()); };
    runStartup(document, commands, view, ahead);
    EXPECT_EQ(view.errors,
              std::vector<std::string>{"vantagem.lib: Catalogue file is not a regular file"});
    EXPECT_TRUE(document.advantageCatalogue.empty());
    EXPECT_EQ(document.disadvantageCatalogue.size(), 1);
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
}

TEST_F(StartupTest, OutsideTheProgramDirectoryTheCataloguesAreReadWhereStartUpIs) {
    writeFile("vantagem.lib", "Sorte\r\n1\r\n");
    writeFile("desvant.lib", "Azar\r\n--1\r\n");
    fs::current_path(m_dir);
    StartupContext missing{(m_dir / "sumiu").string(),
                           "",
                           [] {
                               ADD_FAILURE() << "read ahead from a directory never entered";
                               return StartupCatalogues{};
                           },
                           {}};
    runStartup(document, commands, view, missing);
    EXPECT_EQ(view.errors, std::vector<std::string>{"File not found"});
    EXPECT_EQ(document.advantageCatalogue.size(), 1);
    EXPECT_EQ(document.disadvantageCatalogue.shownCost(0), "Var.");
}

TEST_F(StartupTest, WithoutAnArgumentTheSheetStaysBlankAndClean) {
    writeFile("vantagem.lib", "");
    writeFile("desvant.lib", "");
    runStartup(document, commands, view, context());
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(document.sheet.name(), "Nome do Personagem");
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_TRUE(document.file.currentFileName().empty());
}

TEST(StartupPathsTest, RelativeArgumentsResolveAgainstTheStartingDirectory) {
    EXPECT_EQ(resolveAgainst("heroi.QsZ", "/home/ana"), "/home/ana/heroi.QsZ");
    EXPECT_EQ(resolveAgainst("../x.QsZ", "/home/ana/"), "/home/ana/../x.QsZ");
    EXPECT_EQ(resolveAgainst("/abs/x.QsZ", "/home/ana"), "/abs/x.QsZ");
    EXPECT_EQ(resolveAgainst("", "/home/ana"), "");
    EXPECT_EQ(executableDirectory().front(), '/');
}

} // namespace
} // namespace kestrix

#include "document/CharacterDocument.h"
#include "storage/CharacterFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/desvant.h"
#include "ui/dialogs/dialog2.h"
#include "ui/dialogs/vant.h"
#include "ui/main/Main.h"
#include "ui/widgets/ObservationsMemo.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace kestrix {
namespace {

using namespace std::chrono_literals;
using test::TestFolder;

// What the window shows of the character, to compare before and after.
struct Shown {
    CharacterData data;
    QStringList totals;
    Picture::Kind pictureKind;
    QRgb pictureCorner;

    bool operator==(const Shown& other) const {
        return data == other.data && totals == other.totals && pictureKind == other.pictureKind &&
               pictureCorner == other.pictureCorner;
    }
};

// Public: the cases of the table reach the fixture through a reference.
class UndoRedoTest : public ::testing::Test {
public:
    void SetUp() override { start(); }

    // A fresh start-up with the blank character.
    void restart() {
        window.reset();
        document = Document();
        start();
    }

    void start() {
        window = test::startMainWindow(characterDocument, folder.root);
        window->characterDocument().setClock([this] { return now; });
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename T> T* child(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    Shown shown() {
        QStringList totals;
        for (const char* name :
             {"lb_atrib", "lb_vanttotal", "lb_DVtotal", "lb_magtotal", "lb_total"})
            totals << child<QLabel>(name)->text();
        const Picture& picture = window->shownPicture();
        return {document.sheet.data(), totals, picture.kind,
                picture.isEmpty() ? 0 : picture.image.pixel(0, 0)};
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, key, modifiers);
    }
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { key(Qt::Key_Y, Qt::ControlModifier); }

    void typeInto(const char* name, const QString& text) {
        QWidget* edit = child<QWidget>(name);
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }

    void saveBitmap(const std::string& name, QColor colour) {
        QImage image(8, 12, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(folder.path(name)), "BMP"));
    }

    // Opens a stored character through the window, which leaves it clean.
    void open(const CharacterSheet& stored) {
        ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("aberto.QsZ"), stored));
        window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("aberto.QsZ")));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        ASSERT_EQ(document.sheet.name(), stored.name());
    }

    void save() {
        window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("salvo.QsZ")));
        EXPECT_EQ(test::errorBoxesDuring(
                      [this] { QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier); }),
                  "");
        ASSERT_FALSE(document.sheet.isModified());
    }

    void acquire(const char* catalogueName, int row, AddItemDialog* dialog) {
        auto* list = child<QListView>(catalogueName);
        const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        ASSERT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }

    void doubleClickRow(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    int steps() { return window->characterDocument().undoStack().count(); }

    // Exit, expecting no prompt: true when the program ended without one.
    bool exitsWithoutAPrompt() {
        bool prompted = false;
        test::runClosingModals(
            [this] { QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier); },
            [&prompted](QWidget* modal) {
                prompted = true;
                if (auto* prompt = qobject_cast<SavePromptDialog*>(modal))
                    QTest::mouseClick(prompt->cancelarButton(), Qt::LeftButton);
            });
        return !prompted && window->isTerminated();
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
    std::chrono::milliseconds now{0};
};

TEST_F(UndoRedoTest, TheEditMenuSitsBetweenArquivoAndAjudaAndStartsDisabled) {
    QStringList titles;
    for (QAction* menu : window->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({"&Arquivo", "&Editar", "A&juda"}));
    EXPECT_FALSE(window->undoAction()->isEnabled());
    EXPECT_FALSE(window->redoAction()->isEnabled());
    EXPECT_EQ(window->undoAction()->text(), "&Desfazer");
    EXPECT_EQ(window->redoAction()->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
}

// Each kind of step, undone and redone: the sheet, the totals, the picture
// and the flag follow, and the menu names the step.
TEST_F(UndoRedoTest, EachKindOfStepIsUndoneAndRedone) {
    struct Case {
        const char* step; // what "&Desfazer" names
        std::function<void(UndoRedoTest&)> prepare;
        std::function<void(UndoRedoTest&)> edit;
    };
    const auto none = [](UndoRedoTest&) {};
    const auto withItems = [](UndoRedoTest& t) {
        CharacterSheet stored;
        stored.setName("Itens");
        stored.addAdvantage("2", "Voo");
        stored.addAdvantage("3", "Riqueza");
        stored.addDisadvantage("-1", "Azar");
        t.open(stored);
    };
    const auto withRedPicture = [](UndoRedoTest& t) {
        t.saveBitmap("vermelho.bmp", Qt::red);
        CharacterSheet stored;
        stored.setName("Retrato");
        stored.setPicturePath(t.folder.path("vermelho.bmp"));
        t.open(stored);
    };
    const Case cases[] = {
        {"digitação em Nome", none, [](UndoRedoTest& t) { t.typeInto("tx_nome", "!"); }},
        {"digitação em Força", none, [](UndoRedoTest& t) { t.typeInto("tx_forca", "4"); }},
        {"digitação em Luz", none, [](UndoRedoTest& t) { t.typeInto("tx_luz", "2"); }},
        {"digitação em Observações", none,
         [](UndoRedoTest& t) { t.typeInto("Mm_observ", "Anota"); }},
        {"aquisição de 1 Aceleração", none,
         [](UndoRedoTest& t) { t.acquire("ls_Vant", 0, t.window->addvant()); }},
        {"aquisição de -1 Código de Honra", withItems,
         [](UndoRedoTest& t) { t.acquire("ls_DV", 0, t.window->addDV()); }},
        {"remoção de 2 Voo", withItems,
         [](UndoRedoTest& t) { t.doubleClickRow(t.child<QListWidget>("ls_vant_adq"), 0); }},
        {"remoção de -1 Azar", withItems,
         [](UndoRedoTest& t) { t.doubleClickRow(t.child<QListWidget>("ls_DV_adq"), 0); }},
        {"troca de figura", none,
         [](UndoRedoTest& t) {
             t.saveBitmap("azul.bmp", Qt::blue);
             t.window->fileDialogs().setNextFileName(
                 QString::fromStdString(t.folder.path("azul.bmp")));
             QTest::mouseClick(t.child<QToolButton>("BitBtn3"), Qt::LeftButton);
         }},
        {"remoção da figura", withRedPicture,
         [](UndoRedoTest& t) {
             QTest::mouseClick(t.child<QToolButton>("BitBtn4"), Qt::LeftButton);
         }},
        {"figura padrão", withRedPicture,
         [](UndoRedoTest& t) {
             QTest::mouseClick(t.child<QToolButton>("BitBtn5"), Qt::LeftButton);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        restart();
        c.prepare(*this);
        ASSERT_FALSE(document.sheet.isModified());
        const Shown before = shown();
        const std::string picturePathBefore = document.sheet.picturePath();
        c.edit(*this);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        const Shown after = shown();
        ASSERT_FALSE(after == before) << "the edit changed nothing";
        EXPECT_EQ(steps(), 1);
        EXPECT_EQ(window->undoAction()->text(), QString::fromUtf8("&Desfazer ") + c.step);
        EXPECT_TRUE(document.sheet.isModified());

        undo();
        EXPECT_TRUE(shown() == before) << "undo puts everything back";
        EXPECT_EQ(document.sheet.picturePath(), picturePathBefore);
        EXPECT_FALSE(document.sheet.isModified()) << "back at the loaded state";
        EXPECT_FALSE(window->undoAction()->isEnabled());
        EXPECT_EQ(window->redoAction()->text(), QString::fromUtf8("&Refazer ") + c.step);

        redo();
        EXPECT_TRUE(shown() == after) << "redo replays the step";
        EXPECT_TRUE(document.sheet.isModified());

        undo();
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(shown() == after) << "Ctrl+Shift+Z redoes too";
        EXPECT_FALSE(window->redoAction()->isEnabled());
    }
}

TEST_F(UndoRedoTest, UndoingToTheSavedStateLetsExitEndWithoutAPrompt) {
    typeInto("tx_nome", "1");
    save();
    typeInto("tx_forca", "5");
    ASSERT_TRUE(document.sheet.isModified());
    undo();
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_EQ(document.sheet.attribute(Attribute::Forca), "0");
    EXPECT_TRUE(exitsWithoutAPrompt());
}

TEST_F(UndoRedoTest, UndoCrossesASaveAndTheFlagFollowsTheSavedStep) {
    typeInto("tx_nome", "A");
    save();
    typeInto("tx_nome", "B");
    EXPECT_EQ(steps(), 2) << "typing after a save is a step of its own";
    const std::vector<std::pair<void (UndoRedoTest::*)(), bool>> moves = {
        {&UndoRedoTest::undo, false}, // back at the save
        {&UndoRedoTest::undo, true},  // before the save
        {&UndoRedoTest::redo, false},
        {&UndoRedoTest::redo, true},
    };
    const char* names[] = {"Nome do PersonagemA", "Nome do Personagem", "Nome do PersonagemA",
                           "Nome do PersonagemAB"};
    for (std::size_t i = 0; i < moves.size(); ++i) {
        (this->*moves[i].first)();
        EXPECT_EQ(document.sheet.name(), names[i]) << i;
        EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), names[i]) << i;
        EXPECT_EQ(document.sheet.isModified(), moves[i].second) << i;
    }
    // A new edit where the saved step was undone leaves no way back to it.
    undo();
    undo();
    typeInto("tx_forca", "1");
    undo();
    EXPECT_TRUE(document.sheet.isModified()) << "the saved state is no longer in the history";
}

TEST_F(UndoRedoTest, ARunOfTypingInOneFieldIsOneStep) {
    typeInto("tx_nome", " Silva");
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(window->undoAction()->text(), QString::fromUtf8("&Desfazer digitação em Nome"));

    // Moving to another field and back begins new steps.
    typeInto("tx_forca", "12");
    typeInto("tx_nome", "!");
    EXPECT_EQ(steps(), 3);

    // So does a pause.
    now += CharacterDocument::kTypingPause + 1ms;
    QTest::keyClicks(child<QLineEdit>("tx_nome"), "?");
    now += CharacterDocument::kTypingPause - 1ms;
    QTest::keyClicks(child<QLineEdit>("tx_nome"), ".");
    EXPECT_EQ(steps(), 4);

    const char* names[] = {"Nome do Personagem Silva!", "Nome do Personagem Silva",
                           "Nome do Personagem Silva", "Nome do Personagem"};
    const char* forca[] = {"012", "012", "0", "0"};
    for (int i = 0; i < 4; ++i) {
        undo();
        EXPECT_EQ(document.sheet.name(), names[i]) << i;
        EXPECT_EQ(document.sheet.attribute(Attribute::Forca), forca[i]) << i;
    }
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(UndoRedoTest, TypingThatComesBackToWhereItBeganLeavesNoStep) {
    typeInto("tx_nome", "x");
    QTest::keyClick(child<QLineEdit>("tx_nome"), Qt::Key_Backspace);
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_FALSE(window->undoAction()->isEnabled());
}

TEST_F(UndoRedoTest, CtrlZInAnEditUndoesTheCharactersHistory) {
    typeInto("tx_nome", "ab");
    typeInto("tx_forca", "3");
    child<QLineEdit>("tx_nome")->setFocus();
    undo();
    EXPECT_EQ(document.sheet.attribute(Attribute::Forca), "0") << "the last step, in another field";
    EXPECT_EQ(child<QLineEdit>("tx_forca")->text(), "0");
    EXPECT_EQ(document.sheet.name(), "Nome do Personagemab");
    EXPECT_EQ(child<QLabel>("lb_total")->text(), "0");

    child<ObservationsMemo>("Mm_observ")->setFocus();
    undo();
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Nome do Personagem");
}

TEST_F(UndoRedoTest, UndoDoesNothingWhileAnAddDialogIsOpen) {
    typeInto("tx_nome", "!");
    auto* list = child<QListView>("ls_Vant");
    const QPoint centre = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    AddItemDialog* dialog = window->addvant();
    ASSERT_TRUE(dialog->isVisible());
    ASSERT_FALSE(window->isEnabled());
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));

    QTest::keyClick(dialog->costEdit(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    window->undoAction()->trigger();
    EXPECT_EQ(document.sheet.name(), "Nome do Personagem!");
    EXPECT_EQ(steps(), 1);
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(window->isEnabled());
    window->undoAction()->trigger();
    EXPECT_EQ(document.sheet.name(), "Nome do Personagem");
}

TEST_F(UndoRedoTest, RefusedEditsLeaveNoStep) {
    typeInto("tx_nome", "");
    test::typeText(child<QLineEdit>("tx_nome"), QString::fromUtf8("Ł"));
    typeInto("tx_forca", "");
    QTest::keyClicks(child<QLineEdit>("tx_forca"), "12345"); // four more than "0" holds
    EXPECT_EQ(child<QLineEdit>("tx_forca")->text(), "01234");
    const int afterForca = steps();
    QTest::keyClicks(child<QLineEdit>("tx_forca"), "6");
    auto* memo = child<ObservationsMemo>("Mm_observ");
    memo->setFocus();
    test::typeText(memo, QString::fromUtf8("→"));
    EXPECT_EQ(steps(), afterForca);
    EXPECT_EQ(afterForca, 1);
}

TEST_F(UndoRedoTest, TheHistoryHoldsAtLeastAHundredSteps) {
    QLineEdit* forca = child<QLineEdit>("tx_forca");
    forca->setFocus();
    for (int i = 1; i <= 150; ++i) {
        now += CharacterDocument::kTypingPause + 1ms;
        forca->selectAll();
        QTest::keyClicks(forca, QString::number(i % 9 + 1));
    }
    ASSERT_EQ(steps(), 150);
    for (int i = 0; i < 150; ++i)
        undo();
    EXPECT_EQ(forca->text(), "0");
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(UndoRedoTest, NewAndOpenStartAFreshHistory) {
    typeInto("tx_nome", "!");
    ASSERT_TRUE(window->undoAction()->isEnabled());
    test::onNextModal([](QWidget* modal) {
        QTest::mouseClick(static_cast<SavePromptDialog*>(modal)->naoButton(), Qt::LeftButton);
    });
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(window->undoAction()->isEnabled());
    undo();
    EXPECT_EQ(document.sheet.name(), "Nome do Personagem");
    EXPECT_FALSE(document.sheet.isModified());

    typeInto("tx_forca", "2");
    CharacterSheet stored;
    stored.setName("Outro");
    test::onNextModal([](QWidget* modal) {
        QTest::mouseClick(static_cast<SavePromptDialog*>(modal)->naoButton(), Qt::LeftButton);
    });
    open(stored);
    EXPECT_EQ(steps(), 0);
    undo();
    EXPECT_EQ(document.sheet.name(), "Outro");
    EXPECT_FALSE(document.sheet.isModified());
}

} // namespace
} // namespace kestrix

#include "print/qt/PrintDialogSetup.h"
#include "storage/CatalogueFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/dialogs/ErrorBox.h"
#include "ui/dialogs/NoticeBox.h"
#include "ui/dialogs/SheetPreviewDialog.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/dialog2.h"
#include "ui/dialogs/massage.h"
#include "ui/dialogs/massage2.h"
#include "ui/dialogs/vant.h"
#include "ui/form/FormLayout.h"
#include "ui/main/Main.h"
#include "ui/widgets/ObservationsMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace kestrix {
namespace {

using test::expectErrorBox;
using test::onNextModal;
using test::TestFolder;

class MainWindowTest : public ::testing::Test {
protected:
    void start(const std::string& argument = "") {
        window = test::startMainWindow(characterDocument, folder.root, argument);
    }
    void SetUp() override { start(); }

    template <typename T> T* child(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString labelText(const char* name) { return child<QLabel>(name)->text(); }

    void open(const std::string& name) {
        window->fileDialogs().setNextFileName(QString::fromStdString(folder.path(name)));
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    }
    // Ctrl+S; the text of any error box it shows.
    QString save() {
        return test::errorBoxesDuring(
            [this] { QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier); });
    }

    void saveBitmap(const std::string& name, QColor colour) {
        QImage image(8, 12, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(folder.path(name)), "BMP"));
    }

    void doubleClickRow(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

TEST_F(MainWindowTest, StartsWithTheBlankCharacterInAFixedWindow) {
    EXPECT_EQ(window->windowTitle(), "Kestrix for Windows 95");
    EXPECT_EQ(window->centralWidget()->size(), QSize(579, 388));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Nome do Personagem");
    EXPECT_EQ(child<QLineEdit>("tx_nome")->geometry(), QRect(48, 4, 313, 21));
    EXPECT_EQ(child<QLineEdit>("tx_poderdefogo")->geometry(), QRect(144, 156, 29, 21));
    EXPECT_EQ(child<QLineEdit>("tx_trevas")->geometry(), QRect(144, 164, 29, 21));
    EXPECT_EQ(child<QLabel>("figura")->geometry(), QRect(253, 32, 108, 158));
    EXPECT_EQ(labelText("lb_total"), "0");
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_EQ(child<QListView>("ls_Vant")->model()->rowCount(), 2);
}

TEST_F(MainWindowTest, TypingUpdatesTheTotalsAndTheFlag) {
    QTest::keyClicks(child<QLineEdit>("tx_forca"), "3");
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(document.sheet.attribute(Attribute::Forca), "03");
    EXPECT_EQ(labelText("lb_atrib"), "3");

    QLineEdit* habilidade = child<QLineEdit>("tx_habilidade");
    habilidade->selectAll();
    QTest::keyClicks(habilidade, "-5");
    QLineEdit* luz = child<QLineEdit>("tx_luz");
    luz->selectAll();
    QTest::keyClicks(luz, "4");
    EXPECT_EQ(labelText("lb_atrib"), "-2");
    EXPECT_EQ(labelText("lb_magtotal"), "4");
    EXPECT_EQ(labelText("lb_total"), "2");
    EXPECT_EQ(document.sheet.magicPath(MagicPath::Luz), "4");
}

TEST_F(MainWindowTest, EditsRefuseWhatTheFileCannotHold) {
    QLineEdit* forca = child<QLineEdit>("tx_forca");
    forca->clear();
    QTest::keyClicks(forca, "123456");
    EXPECT_EQ(forca->text(), "12345");

    QLineEdit* nome = child<QLineEdit>("tx_nome");
    nome->clear();
    QTest::keyClicks(nome, QString(41, 'x'));
    EXPECT_EQ(nome->text().size(), 40);

    nome->clear();
    test::typeText(nome, QString::fromUtf8("Łukasz ção €"));
    EXPECT_EQ(nome->text(), QString::fromUtf8("ukasz ção €"));
    EXPECT_EQ(document.sheet.name(), "ukasz \xe7\xe3o \x80");

    QApplication::clipboard()->setText(QString::fromUtf8("→9"));
    forca->clear();
    forca->paste();
    EXPECT_EQ(forca->text(), "") << "a paste with a foreign character is refused whole";
}

TEST_F(MainWindowTest, TabbingIntoACatalogueShowsNoCostUntilAnEntryIsSelected) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* vant = child<QListView>("ls_Vant");
    auto* dv = child<QListView>("ls_DV");
    child<QLineEdit>("tx_poderdefogo")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), vant);
    EXPECT_EQ(labelText("lb_cs_vant"), "0");
    QTest::keyClick(vant, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dv);
    EXPECT_EQ(labelText("lb_cs_DV"), "0");

    QTest::keyClick(dv, Qt::Key_Space);
    EXPECT_EQ(labelText("lb_cs_DV"), "-1") << "selecting the entry shows its cost";
}

TEST_F(MainWindowTest, SelectingACatalogueEntryShowsItsCost) {
    QListView* vant = child<QListView>("ls_Vant");
    vant->setFocus();
    QTest::keyClick(vant, Qt::Key_Down);
    vant->setCurrentIndex(vant->model()->index(0, 0));
    EXPECT_EQ(labelText("lb_cs_vant"), "1");
    QTest::keyClick(vant, Qt::Key_Down);
    EXPECT_EQ(labelText("lb_cs_vant"), "Var.");

    QListView* dv = child<QListView>("ls_DV");
    const QRect first = dv->visualRect(dv->model()->index(0, 0));
    QTest::mouseClick(dv->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(labelText("lb_cs_DV"), "-1");
    dv->setCurrentIndex(dv->model()->index(1, 0));
    EXPECT_EQ(labelText("lb_cs_DV"), "Var.");
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(MainWindowTest, DoubleClickingAnAcquiredLineRemovesIt) {
    document.sheet.addAdvantage("2", "Sorte");
    document.sheet.addAdvantage("3", "Riqueza");
    document.sheet.addDisadvantage("-1", "Azar");
    window->sheetReplaced();
    QListWidget* acquired = child<QListWidget>("ls_vant_adq");
    ASSERT_EQ(acquired->count(), 2);
    EXPECT_EQ(labelText("lb_vanttotal"), "5");

    doubleClickRow(acquired, 0);
    EXPECT_EQ(acquired->count(), 1);
    EXPECT_EQ(acquired->item(0)->text(), "3 Riqueza");
    EXPECT_EQ(labelText("lb_vanttotal"), "3");
    EXPECT_EQ(labelText("lb_total"), "2");
    EXPECT_TRUE(document.sheet.isModified());

    QListWidget* dv = child<QListWidget>("ls_DV_adq");
    doubleClickRow(dv, 0);
    EXPECT_EQ(dv->count(), 0);
    EXPECT_EQ(labelText("lb_DVtotal"), "0");
}

TEST_F(MainWindowTest, DoubleClickingAnEmptyAcquiredListStillMarksTheSheetModified) {
    QListWidget* acquired = child<QListWidget>("ls_vant_adq");
    QTest::mouseDClick(acquired->viewport(), Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(acquired->count(), 0);
}

TEST_F(MainWindowTest, PictureButtonsChangeOnlyWhatIsShown) {
    QTest::mouseClick(child<QToolButton>("BitBtn4"), Qt::LeftButton);
    EXPECT_TRUE(window->shownPicture().isEmpty());
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");

    document.sheet.clearModified();
    QTest::mouseClick(child<QToolButton>("BitBtn5"), Qt::LeftButton);
    EXPECT_FALSE(window->shownPicture().isEmpty());
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
}

TEST_F(MainWindowTest, ChoosingAPictureShowsItAndKeepsItsPath) {
    saveBitmap("retrato.BMP", Qt::red);
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("retrato.BMP")));
    QTest::mouseClick(child<QToolButton>("BitBtn3"), Qt::LeftButton);
    EXPECT_EQ(window->shownPicture().kind, Picture::Kind::Bitmap);
    EXPECT_EQ(window->shownPicture().image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(document.sheet.picturePath(), folder.path("retrato.BMP"));
    EXPECT_TRUE(document.sheet.isModified());
}

TEST_F(MainWindowTest, APictureThatCannotBeLoadedKeepsThePreviousOne) {
    struct Case {
        const char* file;
        std::string bytes;
        QString message;
    };
    const Case cases[] = {
        {"nota.TXT", "x", "Unknown picture file extension (.txt)."},
        {"quebrada.bmp", "BMnot really", "Bitmap image is not valid."},
        {"quebrado.ico", "garbage", "Icon image is not valid."},
        {"quebrada.jpg", "\xff\xd8\xff not really", "JPEG image is not valid."},
    };
    for (const Case& c : cases) {
        folder.write(c.file, c.bytes);
        document.sheet.clearModified();
        window->fileDialogs().setNextFileName(QString::fromStdString(folder.path(c.file)));
        QString shown;
        expectErrorBox(&shown);
        QTest::mouseClick(child<QToolButton>("BitBtn3"), Qt::LeftButton);
        EXPECT_EQ(shown, c.message) << c.file;
        EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
        EXPECT_EQ(window->shownPicture().kind, Picture::Kind::Bitmap);
        EXPECT_TRUE(document.sheet.isModified());
    }
}

TEST_F(MainWindowTest, ALoadedCharacterShowsItsPictureOrTheDefault) {
    saveBitmap("azul.bmp", Qt::blue);
    CharacterSheet stored;
    stored.setName("Azul");
    stored.setPicturePath(folder.path("azul.bmp"));
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("azul.QsZ"), stored));
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("azul.QsZ")));
    window->findChild<QMenuBar*>()->actions(); // the menu exists
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Azul");
    EXPECT_EQ(window->shownPicture().image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_FALSE(document.sheet.isModified());

    // A named picture that is damaged: the character still loads whole.
    folder.write("azul.bmp", "BMbroken");
    stored.addAdvantage("2", "Sorte");
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("azul.QsZ"), stored));
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("azul.QsZ")));
    QString shown;
    expectErrorBox(&shown);
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(shown, "Bitmap image is not valid.");
    EXPECT_EQ(child<QListWidget>("ls_vant_adq")->count(), 1);
    EXPECT_EQ(labelText("lb_vanttotal"), "2");
    EXPECT_EQ(window->shownPicture().kind, Picture::Kind::Bitmap);
    EXPECT_NE(window->shownPicture().image.pixelColor(0, 0), QColor(Qt::blue));
}

// A player hands over a character with its PNG beside it; the file still
// names the picture where it was on the player's machine.
TEST_F(MainWindowTest, ACharacterSharedWithItsPictureShowsItAndSavesWhereItWasFound) {
    QImage photo(30, 40, QImage::Format_RGB32);
    photo.fill(Qt::magenta);
    ASSERT_TRUE(photo.save(QString::fromStdString(folder.path("iara.png"))));
    CharacterSheet stored;
    stored.setName("Iara");
    stored.setPicturePath("C:\\Jogadores\\Fotos\\iara.png");
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("iara.QsZ"), stored));
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("iara.QsZ")));
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window->shownPicture().kind, Picture::Kind::Bitmap);
    EXPECT_EQ(window->shownPicture().image.pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_FALSE(document.sheet.isModified());

    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    CharacterSheet reloaded;
    ASSERT_FALSE(CharacterFile().LoadCharacter(folder.path("iara.QsZ"), reloaded));
    EXPECT_EQ(reloaded.picturePath(), folder.path("iara.png"));
}

TEST_F(MainWindowTest, CtrlAOpensEvenWhileAnEditHasTheFocus) {
    CharacterSheet stored;
    stored.setName("Foco");
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("foco.QsZ"), stored));
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("foco.QsZ")));
    QLineEdit* nome = child<QLineEdit>("tx_nome");
    nome->setFocus();
    QTest::keyClick(nome, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(nome->text(), "Foco");
}

TEST_F(MainWindowTest, SaveWritesTheEditedCharacterAndClearsTheFlag) {
    QTest::keyClicks(child<QLineEdit>("tx_armadura"), "2");
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("novo.QsZ")));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(document.sheet.isModified());
    const std::string bytes = folder.read("novo.QsZ");
    ASSERT_EQ(bytes.size(), 4012u);
    EXPECT_EQ(bytes.substr(315, 3), std::string("\x02"
                                                "02",
                                                3));
}

TEST_F(MainWindowTest, AFileWithLongObservationLinesSavesAgainWithoutLoss) {
    // Three lines of 255 characters, as older files hold, wrap into far
    // more than ten lines of the memo.
    std::vector<std::string> lines;
    for (std::string line : {"um", "dois", "tres"}) {
        while (line.size() < 255)
            line += " palavra";
        lines.push_back(line.substr(0, 255));
    }
    CharacterSheet stored;
    stored.setObservations(lines);
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("antigo.QsZ"), stored));
    const std::string before = folder.read("antigo.QsZ");
    open("antigo.QsZ");
    auto* memo = child<ObservationsMemo>("Mm_observ");
    ASSERT_GT(memo->displayedLines().size(), ObservationsMemo::kMaxLines);

    EXPECT_EQ(save(), "");
    EXPECT_EQ(folder.read("antigo.QsZ"), before) << "saved untouched, byte for byte";

    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Backspace, Qt::ControlModifier); // the last word
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(save(), "");
    EXPECT_FALSE(document.sheet.isModified());
    CharacterSheet reloaded;
    ASSERT_FALSE(CharacterFile().LoadCharacter(folder.path("antigo.QsZ"), reloaded));
    ASSERT_EQ(reloaded.observations().size(), 3u);
    EXPECT_EQ(reloaded.observations()[1], lines[1]);
    const std::string& shortened = reloaded.observations()[2];
    EXPECT_LT(shortened.size(), lines[2].size());
    EXPECT_EQ(lines[2].substr(0, shortened.size()), shortened);
}

TEST_F(MainWindowTest, ObservationsNoSaveCanHoldAreRefusedAndNothingChanges) {
    // Line breaks inside stored lines open as line breaks: thirty lines.
    CharacterSheet stored;
    stored.setObservations(std::vector<std::string>(10, "um\rdois\rtres"));
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("quebras.QsZ"), stored));
    const std::string before = folder.read("quebras.QsZ");
    open("quebras.QsZ");
    QTest::keyClicks(child<QLineEdit>("tx_nome"), "!");
    EXPECT_EQ(save(), "Too many observation lines (at most 10).");
    EXPECT_EQ(folder.read("quebras.QsZ"), before);
    EXPECT_TRUE(document.sheet.isModified());
}

TEST_F(MainWindowTest, TypingObservationsMarksTheSheetModified) {
    auto* memo = child<QTextEdit>("Mm_observ");
    QTest::keyClicks(memo, "Anota");
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(document.sheet.observations(), std::vector<std::string>{"Anota"});
}

TEST_F(MainWindowTest, ClosingTheWindowRunsExitAndCancelKeepsItOpen) {
    QTest::keyClicks(child<QLineEdit>("tx_nome"), "!");
    onNextModal([](QWidget* modal) {
        EXPECT_NE(qobject_cast<TfrmDialogSair*>(modal), nullptr);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isTerminated());

    onNextModal([](QWidget* modal) {
        QTest::mouseClick(static_cast<SavePromptDialog*>(modal)->naoButton(), Qt::LeftButton);
    });
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(window->isTerminated());
}

TEST_F(MainWindowTest, NewAfterSavingEndsWithTheBlankCharacter) {
    QTest::keyClicks(child<QLineEdit>("tx_forca"), "7");
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("sete.QsZ")));
    onNextModal([](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Return); // "&Sim" is the default
    });
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(folder.read("sete.QsZ").size(), 4012u);
    EXPECT_EQ(child<QLineEdit>("tx_forca")->text(), "0");
    EXPECT_EQ(labelText("lb_total"), "0");
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(MainWindowTest, PrintingWithoutADefaultPrinterSaysSoEveryTime) {
    if (noPrinterError()) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            QString shown;
            expectErrorBox(&shown);
            QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
            EXPECT_EQ(shown, "There is no default printer currently selected.");
            EXPECT_EQ(window->printCommand().printer(), nullptr) << "no dialog, no job";
        }
    } else {
        GTEST_SKIP() << "this machine has a printer";
    }
}

// Few users open these: start-up builds neither, the first use does, and
// every later use finds the same window.
TEST_F(MainWindowTest, TheCatalogueEditorAndThePreviewAreMadeOnFirstUse) {
    EXPECT_EQ(window->findChild<CatalogueEditor*>(), nullptr);
    EXPECT_EQ(window->previewDialog(), nullptr);
    QMenu* file = window->menuBar()->actions().constFirst()->menu();
    auto choose = [file](const char* text) {
        for (QAction* action : file->actions()) {
            if (action->text() == QString::fromUtf8(text))
                action->trigger();
        }
    };

    choose("Ca&tálogos ...");
    CatalogueEditor* editor = window->findChild<CatalogueEditor*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->font(), window->font()) << "made in the window's font";
    editor->reject();
    choose("Ca&tálogos ...");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(window->findChildren<CatalogueEditor*>().size(), 1);
    editor->reject();

    choose("&Visualizar Impressão ...");
    SheetPreviewDialog* preview = window->previewDialog();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->preview()->pageCount(), 1);
    preview->reject();
    choose("&Visualizar Impressão ...");
    EXPECT_EQ(window->previewDialog(), preview);
    EXPECT_TRUE(preview->isVisible());
    preview->reject();
}

// A caption takes the size QLabel would give it: start-up measures each
// once instead of QLabel's three times, and a caption cut short or wider
// than its place would show.
TEST(FormCaptionTest, TakesTheSizeQLabelGivesItsText) {
    const char* captions[] = {
        "&Nome:",
        "Vantagens/Perícias disponíveis:",
        "0",
        "",
        "Observações (Não serão impressas):",
        "duas\nlinhas",
        "a && b",
        "<b>negrito</b>",
        "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    };
    QWidget window;
    window.setFont(QFont("MS Sans Serif", 8, QFont::Normal));
    std::vector<FormControl> layout;
    int top = 0;
    for (const char* caption : captions)
        layout.push_back(form::label(caption, 4, top += 20));
    buildForm(&window, layout.data(), layout.size());
    const QList<QLabel*> built = window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(built.size(), static_cast<qsizetype>(std::size(captions)));
    for (QLabel* label : built) {
        SCOPED_TRACE(label->text().toStdString());
        QLabel reference(label->text(), &window);
        reference.adjustSize();
        EXPECT_EQ(label->size(), reference.size());
    }
}

TEST_F(MainWindowTest, ValueEditsShowAllFiveCharactersFromTheStart) {
    CharacterSheet stored;
    for (int i = 0; i < kAttributeCount; ++i)
        stored.setAttribute(static_cast<Attribute>(i), "12345");
    for (int i = 0; i < kMagicPathCount; ++i)
        stored.setMagicPath(static_cast<MagicPath>(i), "-9999");
    stored.setMagicPath(MagicPath::Trevas, "WWWWW"); // wider than any edit of 29 pixels
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("cheio.QsZ"), stored));
    open("cheio.QsZ");
    child<QLineEdit>("tx_nome")->setFocus();
    int checked = 0;
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (edit->maxLength() != 5)
            continue;
        SCOPED_TRACE(edit->objectName().toStdString());
        ++checked;
        // What a text shows does not depend on the cursor only when all of
        // it fits.
        const QImage loaded = edit->grab().toImage();
        edit->setCursorPosition(0);
        const QImage start = edit->grab().toImage();
        edit->end(false);
        const QImage end = edit->grab().toImage();
        EXPECT_TRUE(loaded == start) << "the start shows after a load";
        if (edit->text() != "WWWWW") {
            EXPECT_TRUE(start == end) << "all five characters show";
        }
    }
    EXPECT_EQ(checked, kAttributeCount + kMagicPathCount);
}

// A desktop whose default font is larger than the program's.
class LargeDesktopFontTest : public MainWindowTest {
protected:
    void SetUp() override {
        QFont large = m_desktopFont;
        large.setPointSize(18);
        large.setBold(true);
        QApplication::setFont(large);
        start();
    }
    void TearDown() override { QApplication::setFont(m_desktopFont); }

    const QFont m_desktopFont = QApplication::font();
};

TEST_F(LargeDesktopFontTest, PromptsNoticesMenusAndTheErrorBoxUseTheWindowFont) {
    const QFont font = window->font();
    EXPECT_FALSE(font.bold()) << "a bold desktop font widens no caption";
    for (SavePromptDialog* prompt : {static_cast<SavePromptDialog*>(window->dialogNovo()),
                                     static_cast<SavePromptDialog*>(window->dialogSair())}) {
        const auto* question = prompt->findChild<QLabel*>();
        const QRect needed = question->fontMetrics().boundingRect(
            question->rect(), Qt::TextWordWrap, question->text());
        EXPECT_TRUE(question->rect().contains(needed))
            << prompt->objectName().toStdString() << ": the question is cut";
    }
    for (NoticeBox* notice :
         {static_cast<NoticeBox*>(window->msgbox()), static_cast<NoticeBox*>(window->msgbox2())})
        EXPECT_TRUE(notice->rect().contains(notice->textLabel()->geometry()));
    // The menus of the bar; Qt's own overflow menu, built while the bar is
    // laid out at start-up, is none of them.
    const auto titles = window->menuBar()->actions();
    EXPECT_EQ(titles.size(), 3);
    for (QAction* title : titles) {
        ASSERT_NE(title->menu(), nullptr);
        EXPECT_EQ(title->menu()->font(), font) << title->text().toStdString();
        EXPECT_TRUE(window->menuBar()->rect().contains(window->menuBar()->actionGeometry(title)))
            << title->text().toStdString() << " shows on the bar";
    }

    QFont errorFont;
    test::runClosingModals(
        [this] {
            showErrorBox(window.get(), {0, "Teste"});
        },
        [&errorFont](QWidget* modal) {
            if (auto* label = modal->findChild<QLabel*>("qt_msgbox_label"))
                errorFont = label->font();
            static_cast<QDialog*>(modal)->accept();
        });
    EXPECT_EQ(errorFont, font);
}

class StartupWindowTest : public MainWindowTest {
protected:
    void SetUp() override {}
};

TEST_F(StartupWindowTest, TheCommandLineFileOpensClean) {
    CharacterSheet stored;
    stored.setName("Linha");
    stored.setAttribute(Attribute::Forca, "4");
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("linha.QsZ"), stored));
    start(folder.path("linha.QsZ"));
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Linha");
    EXPECT_EQ(labelText("lb_total"), "4");
    EXPECT_FALSE(document.sheet.isModified());
}

TEST_F(StartupWindowTest, AnErrorDuringStartUpIsCentredOnTheScreen) {
    std::remove(folder.path("desvant.lib").c_str());
    QString shown;
    QRect box;
    test::runClosingModals([this] { start(); },
                           [&](QWidget* modal) {
                               shown = static_cast<QMessageBox*>(modal)->text();
                               box = modal->frameGeometry();
                               static_cast<QDialog*>(modal)->accept();
                           });
    EXPECT_EQ(shown, "desvant.lib: File not found.");
    const QPoint centre = window->screen()->availableGeometry().center();
    EXPECT_LE((box.center() - centre).manhattanLength(), 2)
        << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
}

TEST_F(StartupWindowTest, AMissingCatalogueIsReportedAndTheFileStillOpens) {
    CharacterSheet stored;
    stored.setName("Sem Desvantagens");
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("s.QsZ"), stored));
    std::remove(folder.path("desvant.lib").c_str());
    QString shown;
    expectErrorBox(&shown);
    start(folder.path("s.QsZ"));
    EXPECT_EQ(shown, "desvant.lib: File not found.");
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Sem Desvantagens");
    EXPECT_EQ(child<QListView>("ls_Vant")->model()->rowCount(), 2);
    EXPECT_EQ(child<QListView>("ls_DV")->model()->rowCount(), 0);
}

// A catalogue too large to hold is refused with a message naming it, and
// start-up goes on as without it.
TEST_F(StartupWindowTest, ACatalogueTooLargeIsRefusedNamingTheFile) {
    CharacterSheet stored;
    stored.setName("Grande");
    ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path("g.QsZ"), stored));
    ASSERT_EQ(truncate(folder.path("vantagem.lib").c_str(),
                       static_cast<off_t>(kMaxCatalogueFileBytes + 1)),
              0);
    QString shown;
    expectErrorBox(&shown);
    start(folder.path("g.QsZ"));
    EXPECT_EQ(shown, "vantagem.lib: Catalogue file too large (at most 64 MB).");
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Grande");
    EXPECT_EQ(child<QListView>("ls_Vant")->model()->rowCount(), 0);
    EXPECT_EQ(child<QListView>("ls_DV")->model()->rowCount(), 2);
}

// Names and costs of a megabyte each: the list and the cost label show the
// first 255 characters (what the longest field of a character file holds),
// and the add dialog offers what the item line can hold.
TEST_F(StartupWindowTest, HugeCatalogueTextsStayUsable) {
    folder.write("vantagem.lib", std::string(1 << 20, 'n') + "\r\n3\r\nCara\r\n" +
                                     std::string(1 << 20, '7') + "\r\n");
    start();
    QListView* list = child<QListView>("ls_Vant");
    const auto rowCentre = [&](int row) {
        return list->visualRect(list->model()->index(row, 0)).center();
    };
    // Compared without printing: a text not cut is a megabyte.
    EXPECT_TRUE(list->model()->index(0, 0).data().toString() == QString(255, 'n'));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_TRUE(labelText("lb_cs_vant") == QString(255, '7'));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(labelText("lb_cs_vant"), "3");
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    AddItemDialog* dialog = window->addvant();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->nameEdit()->text() == QString(38, 'n'));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_TRUE(document.sheet.advantages() ==
                std::vector<std::string>{"3 " + std::string(38, 'n')});
}

} // namespace
} // namespace kestrix

// Every window, drawn offscreen, against a reference picture of how it looked
// before: any change to the window code that moves a pixel shows here.
// KESTRIX_UPDATE_SCREENSHOTS=1 writes the references instead of comparing
// (only after checking by eye that the new look is the intended one).

#include "storage/CharacterFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/dialogs/Help.h"
#include "ui/dialogs/NoticeBox.h"
#include "ui/dialogs/SavePromptDialog.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/desvant.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/dialog2.h"
#include "ui/dialogs/massage.h"
#include "ui/dialogs/massage2.h"
#include "ui/dialogs/vant.h"
#include "ui/main/Main.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace kestrix {
namespace {

using test::onNextModal;
using test::TestFolder;

const QString kReferenceDir = QStringLiteral(KESTRIX_TEST_DATA_DIR "/screenshots");
const QString kActualDir = QStringLiteral(KESTRIX_BINARY_DIR "/screenshots-actual");

// Compares the window's look with its reference; writes what it saw beside
// the build when they differ, so the two can be put side by side.
void expectLooksAsBefore(QWidget* window, const QString& name) {
    QApplication::processEvents();
    const QImage actual = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QString reference = kReferenceDir + "/" + name + ".png";
    if (qEnvironmentVariableIntValue("KESTRIX_UPDATE_SCREENSHOTS") == 1) {
        QDir().mkpath(kReferenceDir);
        ASSERT_TRUE(actual.save(reference)) << reference.toStdString();
        return;
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull()) << "no reference " << reference.toStdString();
    if (actual == expected)
        return;
    QDir().mkpath(kActualDir);
    actual.save(kActualDir + "/" + name + ".png");
    long differing = 0;
    if (actual.size() == expected.size())
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                differing += actual.pixel(x, y) != expected.pixel(x, y);
    ADD_FAILURE() << name.toStdString() << ": " << actual.width() << "x" << actual.height()
                  << " against " << expected.width() << "x" << expected.height() << ", "
                  << differing << " pixels differ; see " << kActualDir.toStdString();
}

class WindowScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A steady text cursor: a blinking one would be caught in either phase.
        QApplication::setCursorFlashTime(0);
        for (const char* name : {"vantagem.lib", "desvant.lib", "modelo.bmp"})
            std::filesystem::copy_file(std::string(KESTRIX_DATA_DIR) + "/" + name,
                                       folder.path(name),
                                       std::filesystem::copy_options::overwrite_existing);
        CharacterSheet hero;
        hero.setName("Lyra Ventoforte");
        const char* attributes[] = {"2", "3", "1", "1", "0"};
        for (int i = 0; i < 5; ++i)
            hero.setAttribute(static_cast<Attribute>(i), attributes[i]);
        hero.setMagicPath(MagicPath::Fogo, "12345");
        hero.setMagicPath(MagicPath::Luz, "1");
        hero.addAdvantage("2", "Voo");
        hero.addAdvantage("1", "Acelera\xe7\xe3o");
        hero.addDisadvantage("-1", "C\xf3"
                                   "digo de Honra");
        hero.setObservations({"Nasceu nas montanhas do norte.", "Procura o irm\xe3o perdido."});
        hero.setPicturePath("modelo.bmp");
        EXPECT_FALSE(CharacterFile().SaveCharacter(folder.path("heroi.QsZ"), hero));
        window = test::startMainWindow(characterDocument, folder.root, folder.path("heroi.QsZ"));
    }

    // Opens a modal window with `open` and takes its picture once it is up.
    void expectModalLooksAsBefore(const QString& name, const std::function<void()>& open) {
        onNextModal([name](QWidget* modal) {
            expectLooksAsBefore(modal, name);
            modal->close();
        });
        open();
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

TEST_F(WindowScreenshotTest, EveryWindowLooksAsBefore) {
    expectLooksAsBefore(window.get(), "main");

    window->addvant()->showFor(QString::fromUtf8("Aceleração"), "1");
    expectLooksAsBefore(window->addvant(), "vant");
    window->addvant()->cancelButton()->click();
    window->addDV()->showFor(QString::fromUtf8("Código de Honra"), "Var.");
    expectLooksAsBefore(window->addDV(), "desvant");
    window->addDV()->cancelButton()->click();

    window->msgbox()->showNotice();
    expectLooksAsBefore(window->msgbox(), "massage");
    window->msgbox()->okButton()->click();
    window->msgbox2()->showNotice();
    expectLooksAsBefore(window->msgbox2(), "massage2");
    window->msgbox2()->okButton()->click();

    expectModalLooksAsBefore("dialog1", [&] { window->dialogNovo()->ask(); });
    expectModalLooksAsBefore("dialog2", [&] { window->dialogSair()->ask(); });
    expectModalLooksAsBefore("about", [&] { window->aboutBox()->showModal(); });

    window->frmHelp()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->frmHelp()));
    expectLooksAsBefore(window->frmHelp(), "help");
    window->frmHelp()->close();

    window->catalogueEditor()->showEditor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->catalogueEditor()));
    expectLooksAsBefore(window->catalogueEditor(), "catalogos");
    window->catalogueEditor()->close();
}

} // namespace
} // namespace kestrix

#include "print/qt/PrintDialogSetup.h"
#include "storage/CharacterFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/SheetPreviewDialog.h"
#include "ui/main/ExportPdfCommand.h"
#include "ui/main/Main.h"
#include "ui/main/PrintCommand.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace kestrix {
namespace {

using test::TestFolder;

class ExportPdfTest : public ::testing::Test {
protected:
    void SetUp() override { window = test::startMainWindow(characterDocument, folder.root); }

    QMenu* fileMenu() { return window->menuBar()->actions().constFirst()->menu(); }
    QAction* fileAction(const QString& text) {
        for (QAction* action : fileMenu()->actions())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }

    // Saves a character named `name` as `file` in the folder and opens it.
    void openCharacter(const std::string& name, const std::string& file) {
        CharacterSheet sheet;
        sheet.setName(name);
        ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path(file), sheet));
        window->fileDialogs().setNextFileName(QString::fromStdString(folder.path(file)));
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        ASSERT_EQ(document.sheet.name(), name);
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

TEST_F(ExportPdfTest, ExportAndPreviewFollowPrintWithDistinctAccelerators) {
    QStringList texts;
    for (QAction* action : fileMenu()->actions())
        texts.append(action->text());
    const int print = texts.indexOf("Imprimir ...");
    ASSERT_GE(print, 0);
    ASSERT_LT(print + 2, texts.size());
    EXPECT_EQ(texts[print + 1], "&Exportar PDF ...");
    EXPECT_EQ(texts[print + 2], QString::fromUtf8("&Visualizar Impressão ..."));
    EXPECT_EQ(fileAction("&Exportar PDF ...")->shortcut(), QKeySequence("Ctrl+E"));

    QSet<QChar> accelerators;
    for (const QString& text : texts) {
        const qsizetype mark = text.indexOf('&');
        if (mark >= 0 && mark + 1 < text.size()) {
            const QChar letter = text[mark + 1].toLower();
            EXPECT_FALSE(accelerators.contains(letter)) << text.toStdString();
            accelerators.insert(letter);
        }
    }
}

TEST_F(ExportPdfTest, SuggestsTheCharactersNameInTheFolderOfItsFile) {
    QDir(QString::fromStdString(folder.root)).mkdir("grupo");
    openCharacter("Zeca", "grupo/zeca.QsZ");
    // A name is free text: nothing in it may lead into another folder or
    // hold what the file system would cut the name at.
    const struct {
        std::string name;
        const char* suggested;
    } names[] = {
        {"Zeca/Lobo", "Zeca-Lobo.pdf"},
        {std::string("alda.QsZ\0", 9), "alda.QsZ-.pdf"},
        {"Cora\tde\rLima\x7f", "Cora-de-Lima-.pdf"},
        {"  Dan\x81\xe9  ", "Dan-\xc3\xa9.pdf"},
    };
    for (const auto& c : names) {
        document.sheet.setName(c.name);
        EXPECT_EQ(suggestedPdfPath(document),
                  QString::fromStdString(folder.path("grupo/")) + QString::fromUtf8(c.suggested));
    }

    // No file yet: only the name; no name either: a name all the same.
    document.sheet.setName("Zeca/Lobo");
    document.file.clearCurrentFileName();
    EXPECT_EQ(suggestedPdfPath(document), "Zeca-Lobo.pdf");
    document.sheet.setName("");
    EXPECT_EQ(suggestedPdfPath(document), "Personagem.pdf");
}

// A name ending in a NUL once made the suggested name that of the
// character's own file.
TEST_F(ExportPdfTest, TheSuggestedNameNeverReplacesTheCharactersFile) {
    openCharacter(std::string("alda.QsZ\0", 9), "alda.QsZ");
    const std::string character = folder.read("alda.QsZ");
    window->fileDialogs().setNextFileName(suggestedPdfPath(document));
    const QString errors =
        test::errorBoxesDuring([this] { fileAction("&Exportar PDF ...")->trigger(); });
    EXPECT_EQ(errors, "");
    EXPECT_EQ(folder.read("alda.QsZ"), character);
    EXPECT_EQ(folder.read("alda.QsZ-.pdf").rfind("%PDF-", 0), 0u);
}

// Whatever name reaches the export, a PDF never takes the place of a
// character or of another file that is not a PDF.
TEST_F(ExportPdfTest, APdfNeverReplacesACharacterOrAFileOfAnotherKind) {
    openCharacter("Alda", "alda.QsZ");
    folder.write("notas.txt", "notas da campanha");
    folder.write("outro.pdf", "");
    ASSERT_EQ(link(folder.path("alda.QsZ").c_str(), folder.path("copia.pdf").c_str()), 0);
    for (const char* name : {"alda.QsZ", "notas.txt", "NOVO.QSZ", "copia.pdf"}) {
        const std::string before = folder.read(name);
        window->fileDialogs().setNextFileName(QString::fromStdString(folder.path(name)));
        const QString errors =
            test::errorBoxesDuring([this] { fileAction("&Exportar PDF ...")->trigger(); });
        EXPECT_TRUE(errors.startsWith(QString::fromUtf8(name) + ": "))
            << name << ": " << errors.toStdString();
        EXPECT_EQ(folder.read(name), before) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder.path("NOVO.QSZ"))));

    // The dialog says so before its own question, naming the file, and
    // stays open for another name.
    QFileDialog* dialog = window->fileDialogs().pdfDialog();
    // What the dialog's button does with the name typed.
    const auto choose = [dialog, this](const char* name) {
        dialog->setResult(QDialog::Rejected);
        dialog->selectFile(QString::fromStdString(folder.path(name)));
        static_cast<QDialog*>(dialog)->accept();
    };
    for (const char* name : {"alda.QsZ", "notas.txt", "novo.qsz"}) {
        QString notice;
        test::expectErrorBox(&notice);
        choose(name);
        EXPECT_TRUE(notice.contains(QString::fromUtf8(name))) << notice.toStdString();
        EXPECT_NE(dialog->result(), QDialog::Accepted) << name;
    }
    // An empty file holds nothing to lose: the usual question, then taken.
    QString question;
    test::onNextModal([&question](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        question = box ? box->text() : QString("(no question)");
        if (box && box->button(QMessageBox::Yes))
            box->button(QMessageBox::Yes)->click();
        else
            modal->close();
    });
    choose("outro.pdf");
    EXPECT_TRUE(question.contains("outro.pdf")) << question.toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    choose("novo");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->selectedFiles().value(0), QString::fromStdString(folder.path("novo.pdf")));
}

TEST_F(ExportPdfTest, CtrlEWritesTheSheetEvenWhileTheNameHasTheFocus) {
    openCharacter("Alda", "alda.QsZ");
    window->findChild<QLineEdit*>("tx_nome")->setFocus();
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("alda.pdf")));
    const QString errors = test::errorBoxesDuring([this] {
        QTest::keyClick(window->findChild<QLineEdit*>("tx_nome"), Qt::Key_E, Qt::ControlModifier);
    });
    EXPECT_EQ(errors, "");
    EXPECT_EQ(folder.read("alda.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_FALSE(document.sheet.isModified()) << "exporting is no edit";
}

TEST_F(ExportPdfTest, AFileThatCannotBeWrittenReachesTheErrorBox) {
    window->fileDialogs().setNextFileName(QString::fromStdString(folder.path("nada/x.pdf")));
    const QString errors =
        test::errorBoxesDuring([this] { fileAction("&Exportar PDF ...")->trigger(); });
    EXPECT_FALSE(errors.isEmpty());
}

TEST_F(ExportPdfTest, PreviewShowsOnePageAndPrintsThroughThePrintCommand) {
    fileAction(QString::fromUtf8("&Visualizar Impressão ..."))->trigger();
    SheetPreviewDialog* preview = window->previewDialog();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_EQ(preview->preview()->pageCount(), 1);
    if (!noPrinterError()) {
        preview->reject();
        GTEST_SKIP() << "this machine has a printer";
    }
    // The print command's own report: no printer at all.
    const QString errors = test::errorBoxesDuring([preview] {
        preview->findChild<QPushButton*>("PreviewPrint")->click();
        QTest::qWait(50);
    });
    EXPECT_EQ(errors, "There is no default printer currently selected.");
    EXPECT_FALSE(preview->isVisible());
}

// On a group's shared queue every job is listed by its title: whose sheet
// it is. print_sheet.sh checks a real queue's output carries it.
TEST_F(ExportPdfTest, PrintJobsAreTitledWithTheCharactersName) {
    const struct {
        const char* name;
        const char* file;
        const char* title;
    } cases[] = {
        {"Lyra da Torre", "lyra.QsZ", "Lyra da Torre"},
        {"  Bardo  ", "bardo.QsZ", "Bardo"},
        {"", "zuleica.QsZ", "zuleica"},
        {"   ", "grupo.2.QsZ", "grupo.2"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.file);
        openCharacter(row.name, row.file);
        EXPECT_EQ(printJobTitle(document), QString::fromUtf8(row.title));
    }
    Document unsaved;
    unsaved.sheet.setName("");
    EXPECT_EQ(printJobTitle(unsaved), "Personagem");
}

} // namespace
} // namespace kestrix

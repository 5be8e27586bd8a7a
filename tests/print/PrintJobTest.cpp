#include "print/qt/PrintJob.h"

#include "core/CharacterSheet.h"
#include "print/qt/PrintDialogSetup.h"
#include "print/qt/QtPrintCanvas.h"
#include "print/qt/SheetPrintDialog.h"
#include "tests/print/QtTestApplication.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <optional>

namespace kestrix {
namespace {

QString outputPath(const char* name) {
    return QStringLiteral(KESTRIX_BINARY_DIR "/") + QString::fromLatin1(name);
}

QImage solid(QRgb colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

CharacterSheet sampleSheet() {
    CharacterSheet sheet;
    sheet.setName("Lyra da Torre");
    // -4 + 2 - 1: the grand total comes out negative.
    sheet.setAttribute(Attribute::Armadura, "-4");
    sheet.setAttribute(Attribute::Habilidade, "abc");
    sheet.addAdvantage("2", "Ataque Especial (For\347a)");
    sheet.addDisadvantage("-1", "Maldi\xE7\xE3o");
    sheet.setObservations({"Nunca impressa"});
    return sheet;
}

void printToPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

// The PDF's text as pdftotext extracts it, or nothing if it is not installed.
std::optional<QString> pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, {path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << path.toStdString();
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrintJobTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication(); }
};

TEST_F(PrintJobTest, PrintsOnePageWithExtractableTexts) {
    const QString path = outputPath("print_sheet.pdf");
    QFile::remove(path);
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(printer, path);
    const CharacterSheet sheet = sampleSheet();

    ASSERT_EQ(printCharacterSheet(printer, sheet,
                                  QtPrintPicture::bitmap(solid(qRgb(200, 0, 0), 4, 4)),
                                  QtPrintPicture::icon(solid(qRgb(0, 0, 200), 32, 32))),
              std::nullopt);
    EXPECT_EQ(printer.resolution(), kPrintResolution);

    const std::optional<QString> text = pdfText(path);
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed; the PDF was written but not read back";
    }
    for (const QString& expected : {
             QStringLiteral("Lyra da Torre"),
             QStringLiteral("Resistência"),
             QStringLiteral("Água"),
             QStringLiteral("2 Ataque Especial (Força)"),
             QStringLiteral("-1 Maldição"),
             QStringLiteral("abc"),
             QStringLiteral("Total: -3"),
             QStringLiteral("Personagem Criado no \"Kestrix for Windows 95\""),
             QStringLiteral("Pontos de Vida (Iniciais=1 Dado para cada ponto de Resistência)"),
         }) {
        EXPECT_TRUE(text->contains(expected)) << expected.toStdString();
    }
    EXPECT_FALSE(text->contains(QStringLiteral("Nunca impressa")));
    EXPECT_EQ(text->count(QChar(u'\f')), 1) << "one page";
}

TEST_F(PrintJobTest, APrinterThatCannotStartIsNotValid) {
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(printer, outputPath("no such folder/sheet.pdf"));
    const CharacterSheet sheet;
    EXPECT_EQ(printCharacterSheet(printer, sheet, QtPrintPicture::none(), QtPrintPicture::none()),
              (Error{0, "Printer selected is not valid"}));
}

TEST_F(PrintJobTest, AnAbortedJobLeavesThePrinterFreeForTheNext) {
    const QString path = outputPath("print_after_abort.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(printer, path);
    {
        QtPrintCanvas canvas(printer, printerJob(printer));
        ASSERT_TRUE(canvas.beginDocument());
        canvas.drawText(100, 100, "half a page");
        canvas.abortDocument();
    }
    EXPECT_NE(printer.printerState(), QPrinter::Active);

    const CharacterSheet sheet = sampleSheet();
    EXPECT_EQ(printCharacterSheet(printer, sheet, QtPrintPicture::none(), QtPrintPicture::none()),
              std::nullopt);
    const std::optional<QString> text = pdfText(path);
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed; the second job was not read back";
    }
    EXPECT_TRUE(text->contains(QStringLiteral("Lyra da Torre")));
    EXPECT_FALSE(text->contains(QStringLiteral("half a page")));
}

TEST_F(PrintJobTest, ThePrintDialogOffersOnePageToOnePrinter) {
    QPrinter printer;
    printer.setCollateCopies(true);
    QPrintDialog dialog(&printer);
    configurePrintDialog(dialog);

    for (const auto option :
         {QAbstractPrintDialog::PrintToFile, QAbstractPrintDialog::PrintSelection,
          QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintCurrentPage,
          QAbstractPrintDialog::PrintCollateCopies}) {
        EXPECT_FALSE(dialog.testOption(option)) << option;
    }
    EXPECT_EQ(dialog.minPage(), 1);
    EXPECT_EQ(dialog.maxPage(), 1);
    EXPECT_EQ(dialog.printRange(), QAbstractPrintDialog::AllPages);
    EXPECT_FALSE(printer.collateCopies());
    EXPECT_EQ(printer.copyCount(), 1);
}

// Opens the dialog without blocking, with its lower half ("Options >>")
// shown as the user would show it.
void openWithOptions(QPrintDialog& dialog) {
    dialog.open();
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().startsWith(QStringLiteral("&Options >>")))
            button->click();
    }
}

TEST_F(PrintJobTest, ThePrintDialogOffersNoPageChoiceEveryTimeItOpens) {
    QPrinter printer;
    SheetPrintDialog dialog(&printer);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        openWithOptions(dialog);
        ASSERT_NE(dialog.findChild<QWidget*>("copies"), nullptr);
        EXPECT_TRUE(dialog.findChild<QWidget*>("copies")->isVisibleTo(&dialog)) << "copies stay";
        // The range group holds "All", "Pages from ... to", "Pages:" and the
        // selection; the page set is odd/even.
        for (const char* name : {"gbPrintRange", "printRange", "pagesRadioButton", "pagesLineEdit",
                                 "pageSetCombo", "pageSetLabel"}) {
            if (const auto* control = dialog.findChild<QWidget*>(name)) {
                EXPECT_FALSE(control->isVisibleTo(&dialog)) << name;
            }
        }
        auto* pageSet = dialog.findChild<QComboBox*>("pageSetCombo");
        auto* pages = dialog.findChild<QLineEdit*>("pagesLineEdit");
        if (round == 2) {
            // Whatever the first round left behind is undone.
            EXPECT_TRUE(dialog.findChild<QRadioButton*>("printAll")->isChecked());
            if (pageSet != nullptr && pageSet->count() > 0) {
                EXPECT_EQ(pageSet->currentIndex(), 0) << "all pages";
            }
            if (pages != nullptr) {
                EXPECT_EQ(pages->text(), QString());
            }
        }
        if (pageSet != nullptr)
            pageSet->setCurrentIndex(pageSet->count() - 1);
        if (pages != nullptr)
            pages->setText(QStringLiteral("2"));
        if (auto* range = dialog.findChild<QRadioButton*>("printRange"))
            range->setChecked(true);
        dialog.reject();
    }
}

} // namespace
} // namespace kestrix

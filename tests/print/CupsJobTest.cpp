// Jobs on real CUPS queues. Run by tests/e2e/print_cups_job.sh, which starts
// a private scheduler with the queues named in the environment; without them
// every test is skipped.
#include "print/qt/CupsJob.h"

#include "core/CharacterSheet.h"
#include "print/qt/PrintJob.h"
#include "print/qt/SheetPrintDialog.h"
#include "tests/print/QtTestApplication.h"

#include <QComboBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <cups/cups.h>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

QString queueFromEnvironment(const char* variable) {
    return qEnvironmentVariable(variable);
}

CharacterSheet sampleSheet() {
    CharacterSheet sheet;
    sheet.setName("Lyra da Torre");
    sheet.addAdvantage("2", "Ataque Especial");
    return sheet;
}

// The message of a failed print, or an empty text.
QString printSample(QPrinter& printer) {
    const CharacterSheet sheet = sampleSheet();
    const Result error =
        printCharacterSheet(printer, sheet, QtPrintPicture::none(), QtPrintPicture::none());
    return error ? QString::fromStdString(error->message) : QString();
}

bool hasOption(const CupsOptions& options, const std::string& name) {
    for (const auto& option : options) {
        if (option.first == name)
            return true;
    }
    return false;
}

std::string optionValue(const CupsOptions& options, const std::string& name) {
    for (const auto& option : options) {
        if (option.first == name)
            return option.second;
    }
    return {};
}

class CupsJobTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication(); }

    void requireQueue(const char* variable) {
        m_queue = queueFromEnvironment(variable);
        if (m_queue.isEmpty())
            GTEST_SKIP() << variable << " names no queue of a test print server";
    }

    QString m_queue;
};

// The user picks "Even Pages" and two copies, prints, then prints again
// without touching the dialog: both jobs carry the whole page, twice.
// print_cups_job.sh checks the two PDFs the queue wrote.
TEST_F(CupsJobTest, PagesChosenInTheDialogNeverLeaveTheSheetOut) {
    requireQueue("KESTRIX_TEST_QUEUE");
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_EQ(printer.printerName(), m_queue) << "the test queue is the default";
    SheetPrintDialog dialog(&printer);

    dialog.open();
    auto* pageSet = dialog.findChild<QComboBox*>("pageSetCombo");
    auto* copies = dialog.findChild<QSpinBox*>("copies");
    ASSERT_NE(copies, nullptr);
    if (pageSet != nullptr) {
        const int even = pageSet->findText(QStringLiteral("Even Pages"));
        ASSERT_GE(even, 0);
        pageSet->setCurrentIndex(even);
    }
    copies->setValue(2);
    dialog.accept();

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        const CupsOptions options = cupsJobOptions(printer);
        EXPECT_FALSE(hasOption(options, "page-set"));
        EXPECT_FALSE(hasOption(options, "page-ranges"));
        EXPECT_EQ(optionValue(options, "copies"), "2") << "the copies count stays";
        EXPECT_EQ(printSample(printer), QString());
        if (round == 1) {
            dialog.open();
            dialog.accept();
        }
    }
}

TEST_F(CupsJobTest, ARefusedJobIsReportedWithThePrintSystemsMessage) {
    requireQueue("KESTRIX_TEST_REJECTING_QUEUE");
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(m_queue);
    ASSERT_EQ(printer.printerName(), m_queue);

    const QString message = printSample(printer);
    EXPECT_TRUE(message.contains(QStringLiteral("not accepting jobs"))) << message.toStdString();
    EXPECT_TRUE(message.contains(m_queue)) << message.toStdString();
    EXPECT_FALSE(message.endsWith(QLatin1Char('.'))) << "the error box adds the full stop";
}

TEST_F(CupsJobTest, AServerGoneSinceTheDialogIsReported) {
    requireQueue("KESTRIX_TEST_QUEUE");
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_EQ(printer.printerName(), m_queue);

    // The printer was chosen while the server answered; the job then meets
    // a socket nobody listens on.
    const QByteArray server = cupsServer();
    const QByteArray gone = qgetenv("KESTRIX_TEST_GONE_SERVER");
    ASSERT_FALSE(gone.isEmpty());
    cupsSetServer(gone.constData());
    const QString message = printSample(printer);
    cupsSetServer(server.constData());

    EXPECT_FALSE(message.isEmpty()) << "reported as printed";
    EXPECT_NE(message, QStringLiteral("Printing failed")) << "the print system's own message";
}

// The print system's library is loaded when a job is sent; without it the
// job is reported, and nothing reaches the queue (print_cups_job.sh counts
// the PDFs it wrote).
TEST_F(CupsJobTest, AMissingPrintSystemLibraryIsReportedNotACrash) {
    requireQueue("KESTRIX_TEST_QUEUE");
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_EQ(printer.printerName(), m_queue);
    CupsJob job(printer, "libkestrix-no-such-printing.so.2");
    ASSERT_TRUE(job.takesOver());
    {
        QPainter painter(&printer);
        painter.drawText(100, 100, QStringLiteral("Lyra da Torre"));
    }
    const Result error = job.submit();
    ASSERT_TRUE(error) << "reported as printed";
    EXPECT_NE(error->message.find("libkestrix-no-such-printing.so.2"), std::string::npos)
        << error->message;
}

} // namespace
} // namespace kestrix

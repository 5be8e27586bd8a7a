#include "print/qt/CupsJob.h"

#include "print/qt/CupsLibrary.h"
#include "print/qt/QtPrintCanvas.h"

#include <QDir>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

namespace kestrix {
namespace {

// The engine property that holds the options for the print system as a flat
// list of names and values; Qt's CUPS support uses this key, which is not
// in its public headers.
const auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The most a job's name may hold (a "name" in the printing protocol).
constexpr int kMaxJobTitleBytes = 255;

bool isPageSelection(const QString& option) {
    return option == QLatin1String("page-set") || option == QLatin1String("page-ranges");
}

QStringList extraOptions(const QPrinter& printer) {
    return printer.printEngine()->property(kCupsOptionsKey).toStringList();
}

const char* sides(const QPrinter& printer) {
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexAuto:
        return printer.pageLayout().orientation() == QPageLayout::Portrait ? "two-sided-long-edge"
                                                                           : "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    }
    return "one-sided";
}

// The box adds its own full stop.
QString withoutFullStop(QString message) {
    message = message.trimmed();
    while (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    return message;
}

} // namespace

CupsJob::CupsJob(QPrinter& printer, const char* cupsLibrary)
    : m_printer(printer), m_cupsLibrary(cupsLibrary) {
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty() ||
        printer.printerName().isEmpty()) {
        return;
    }
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                 QStringLiteral("/kestrix-print-XXXXXX.pdf"));
    if (!file->open())
        return;
    file->close();
    m_file = std::move(file);
    // Set on the engine, not through QPrinter::setOutputFileName(), which
    // would turn the printer into a PDF file printer for good.
    m_printer.printEngine()->setProperty(QPrintEngine::PPK_OutputFileName, m_file->fileName());
}

CupsJob::~CupsJob() {
    if (m_file)
        m_printer.printEngine()->setProperty(QPrintEngine::PPK_OutputFileName, QString());
}

Result CupsJob::submit() {
    if (!m_file)
        return std::nullopt;
    const CupsLibrary cups(m_cupsLibrary);
    if (cups.error())
        return cups.error();
    const CupsOptions options = cupsJobOptions(m_printer);
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cups.addOption(name.c_str(), value.c_str(), count, &cupsOptions);
    // A queue's instance ("queue/instance") only chooses settings; the job
    // goes to the queue.
    const QByteArray queue = m_printer.printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int job =
        cups.printFile(queue.constData(), QFile::encodeName(m_file->fileName()).constData(),
                       cupsJobTitle(m_printer.docName()).c_str(), count, cupsOptions);
    cups.freeOptions(count, cupsOptions);
    if (job > 0)
        return std::nullopt;
    const QString message = withoutFullStop(QString::fromUtf8(cups.lastErrorString()));
    return Error{0, message.isEmpty() ? std::string(QtPrintCanvas::kPrintingFailed)
                                      : message.toStdString()};
}

CupsOptions cupsJobOptions(const QPrinter& printer) {
    CupsOptions options;
    const QPageLayout layout = printer.pageLayout();
    options.emplace_back("media", layout.pageSize().key().toStdString());
    const int copies = printer.copyCount();
    if (copies > 1) {
        options.emplace_back("copies", std::to_string(copies));
        if (printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    options.emplace_back("sides", sides(printer));
    if (layout.orientation() == QPageLayout::Landscape)
        options.emplace_back("landscape", "true");
    const QStringList extra = extraOptions(printer);
    for (qsizetype i = 0; i + 1 < extra.size(); i += 2) {
        if (!isPageSelection(extra[i]))
            options.emplace_back(extra[i].toStdString(), extra[i + 1].toStdString());
    }
    return options;
}

std::string cupsJobTitle(const QString& documentName) {
    QString title = documentName;
    for (QChar& character : title) {
        if (character.category() == QChar::Other_Control)
            character = QLatin1Char(' ');
    }
    QByteArray bytes = title.toUtf8();
    if (bytes.size() > kMaxJobTitleBytes) {
        qsizetype end = kMaxJobTitleBytes;
        // Back to the first byte of the character that would be cut.
        while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
            --end;
        bytes.truncate(end);
    }
    return bytes.toStdString();
}

void clearPageSelection(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    const QStringList extra = extraOptions(printer);
    QStringList kept;
    for (qsizetype i = 0; i + 1 < extra.size(); i += 2) {
        if (!isPageSelection(extra[i]))
            kept << extra[i] << extra[i + 1];
    }
    if (kept.size() != extra.size())
        printer.printEngine()->setProperty(kCupsOptionsKey, kept);
}

} // namespace kestrix

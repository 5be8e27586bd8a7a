#include "ui/main/Main.h"

#include "app/CommandLine.h"
#include "app/PdfBatch.h"
#include "app/ToolkitArguments.h"
#include "document/CharacterDocument.h"
#include "document/RecoveryFolder.h"
#include "document/Startup.h"
#include "ui/form/ApplicationTitle.h"
#include "ui/form/QtTranslations.h"
#include "ui/form/WindowFont.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QTimer>
#include <QtPlugin>
#include <cstdlib>
#include <exception>
#include <future>
#include <iostream>

// Reads PNG and BMP files without loading every image plugin first.
Q_IMPORT_PLUGIN(KestrixBuiltInImageFormats)

namespace {

// Answers what needs no toolkit; -1 when the command line asks for more.
int answerWithoutToolkit(const kestrix::CommandLine& commandLine) {
    using Action = kestrix::CommandLine::Action;
    switch (commandLine.action) {
    case Action::Version:
        return std::cout << kestrix::versionText("kestrix") << '\n' << std::flush ? 0 : 1;
    case Action::Help:
        return std::cout << kestrix::kEditorUsage << std::flush ? 0 : 1;
    case Action::Usage:
        std::cerr << "kestrix: " << commandLine.problem << '\n' << kestrix::kEditorUsage;
        return kestrix::kUsageStatus;
    case Action::OpenWindow:
    case Action::ExportPdf:
        break;
    }
    return -1;
}

// Standard error is for the lines about the files a script asked for; the
// toolkit's chatter about its environment (no XDG_RUNTIME_DIR, no user message
// bus) stays out of it. Critical messages still get through.
void keepToolkitWarningsQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toLocal8Bit().constData() << '\n';
}

int exportPdf(kestrix::ToolkitArguments& toolkit, const kestrix::CommandLine& commandLine) {
    // No window is ever shown: no display is needed, nor asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepToolkitWarningsQuiet);
    QGuiApplication application(toolkit.count(), toolkit.values());
    return kestrix::exportPdfBatch(
        commandLine.output, commandLine.files, kestrix::currentDirectory(),
        kestrix::DataFolders::forUser(kestrix::executableDirectory()), std::cerr);
}

} // namespace

int main(int argc, char* argv[]) {
    // A program may be started with no arguments at all, not even its name.
    const kestrix::CommandLine commandLine = kestrix::parseCommandLine(
        argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>());
    if (const int status = answerWithoutToolkit(commandLine); status >= 0)
        return status;
    // The toolkit acts on options of its own that load code and read files;
    // it has no "--", so it never sees a file name, which could look like one.
    kestrix::ToolkitArguments toolkit(argc > 0 ? argv[0] : nullptr, commandLine.toolkitArguments);

    // The window asks for the classic Windows faces; these metric twins
    // keep every caption inside the box it was laid out for.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    if (commandLine.action == kestrix::CommandLine::Action::ExportPdf)
        return exportPdf(toolkit, commandLine);
    // A file manager may pass several files: the first opens, the rest are
    // named here.
    if (const std::string notice = kestrix::unopenedFilesNotice(commandLine.files); !notice.empty())
        std::cerr << "kestrix: " << notice << std::endl;

    // The catalogues may hold many thousand entries: read them on a second
    // core while the toolkit starts and the windows are built. A
    // 100,000-entry catalogue takes about 1.7 ms to read and split
    // (BM_LoadCatalogueFile); here that time overlaps the toolkit's own
    // start instead of adding to it (docs/PERFORMANCE.md).
    kestrix::StartupContext context;
    context.programDirectory = kestrix::executableDirectory();
    context.dataFolders = kestrix::DataFolders::forUser(context.programDirectory);
    std::future<kestrix::StartupCatalogues> catalogues;
    try {
        catalogues = std::async(std::launch::async, [folders = context.dataFolders] {
            return kestrix::loadStartupCatalogues(folders);
        });
        context.readAheadCatalogues = [&catalogues] { return catalogues.get(); };
    } catch (const std::exception&) {
        // No thread (or no memory for one) to be had: start-up reads them
        // itself. What the reading throws reaches start-up through get().
    }

    QApplication application(toolkit.count(), toolkit.values());
    application.setApplicationName(QString::fromUtf8(kestrix::kApplicationTitle));
    kestrix::installQtTranslations(application);

    // A relative argument means a file where the user started the program.
    if (!commandLine.files.empty())
        context.fileArgument =
            kestrix::resolveAgainst(commandLine.files.front(), kestrix::currentDirectory());

    // Every window start-up builds is in the program's own font, but each
    // edit box lays its empty text out in the application's font before it
    // takes its window's: the desktop's font would be found and loaded only
    // for that (about 5 M instructions). It is loaded when a standard dialog
    // (open, save, print) first needs it.
    const QFont desktopFont = QGuiApplication::font();
    QGuiApplication::setFont(kestrix::windowFont());
    kestrix::CharacterDocument document;
    kestrix::TfrmMain window(document);
    window.FormCreate(context);
    QGuiApplication::setFont(desktopFont);
    window.show();
    // Unsaved work of an editor that ended without saving is offered once
    // the window is up, and from then on this editor keeps its own aside.
    QTimer::singleShot(0, &window, [&window, file = context.fileArgument] {
        window.keepWorkSafe(kestrix::RecoveryFolder(kestrix::RecoveryFolder::forUser()), file);
    });
    return application.exec();
}

#include "Main.h"

#include "ApplicationTitle.h"
#include "Startup.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QtPlugin>

#include <exception>
#include <future>

// Reads PNG and BMP files without loading every image plugin first.
Q_IMPORT_PLUGIN(KestrixBuiltInImageFormats)

int main(int argc, char* argv[]) {
    // The window asks for the classic Windows faces; these metric twins
    // keep every caption inside the box it was laid out for.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    // The catalogues may hold many thousand entries: read them on a second
    // core while the toolkit starts and the windows are built.
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

    QApplication application(argc, argv);
    application.setApplicationName(QString::fromUtf8(kestrix::kApplicationTitle));

    const QStringList arguments = QApplication::arguments();
    // A relative argument means a file where the user started the program.
    if (arguments.size() > 1)
        context.fileArgument = kestrix::resolveAgainst(
            QFile::encodeName(arguments.at(1)).toStdString(), kestrix::currentDirectory());

    kestrix::Document document;
    kestrix::TfrmMain window(document);
    window.FormCreate(context);
    window.show();
    return application.exec();
}

#include "ExportPdfCommand.h"

#include "Document.h"
#include "FileDialogs.h"
#include "PrintCommand.h"
#include "SheetPdfFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrix {

QString suggestedPdfPath(const Document& document) {
    // A character's name names a file in the folder, never a path elsewhere.
    QString name = sheetPdfTitle(document.sheet);
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString current = QFile::decodeName(document.file.currentFileName().c_str());
    if (name.isEmpty())
        name = current.isEmpty() ? QStringLiteral("Personagem")
                                 : QFileInfo(current).completeBaseName();
    name += QStringLiteral(".pdf");
    if (current.isEmpty())
        return name;
    return QFileInfo(current).absoluteDir().filePath(name);
}

Result exportPdf(FileDialogs& dialogs, const Document& document, const Picture& picture) {
    const std::optional<QString> path = dialogs.askExportPdf(suggestedPdfPath(document));
    if (!path)
        return std::nullopt;
    SheetPdfInfo info;
    info.title = sheetPdfTitle(document.sheet);
    info.creator = sheetPdfCreator();
    return saveSheetPdf(QFile::encodeName(*path).toStdString(),
                        {SheetPdfPage{&document.sheet, toPrintPicture(picture)}}, info);
}

} // namespace kestrix

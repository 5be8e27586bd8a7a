#include "ui/main/ExportPdfCommand.h"

#include "document/Document.h"
#include "platform/TextConversion.h"
#include "print/qt/PrintablePicture.h"
#include "print/qt/SheetPdfFile.h"
#include "storage/PdfOutput.h"
#include "storage/SuggestedFileName.h"
#include "ui/dialogs/FileDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrix {

QString suggestedPdfPath(const Document& document) {
    // A character's name names a file in the folder, never a path elsewhere,
    // and holds nothing the file system would cut it at.
    QString name = toQString(fileNameFromCharacterName(document.sheet.name())).trimmed();
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
    const std::string characterFile = document.file.currentFileName();
    const std::optional<QString> chosen =
        dialogs.askExportPdf(suggestedPdfPath(document), characterFile);
    if (!chosen)
        return std::nullopt;
    // Checked again as written: the dialog's check came before its own
    // question, and the file may have changed since.
    const std::string path = QFile::encodeName(*chosen).toStdString();
    if (Result refused = checkPdfOutput(path, {characterFile}))
        return Error{refused->code,
                     QFileInfo(*chosen).fileName().toStdString() + ": " + refused->message};
    SheetPdfInfo info;
    info.title = sheetPdfTitle(document.sheet);
    info.creator = sheetPdfCreator();
    return saveSheetPdf(path, {SheetPdfPage{&document.sheet, toPrintPicture(picture)}}, info);
}

} // namespace kestrix

#include "ui/main/PrintSource.h"

#include "document/Document.h"
#include "print/qt/SheetPdfFile.h"

#include <QFile>
#include <QFileInfo>

namespace kestrix {

QString printJobTitle(const Document& document) {
    const QString name = sheetPdfTitle(document.sheet);
    if (!name.isEmpty())
        return name;
    const std::string& file = document.file.currentFileName();
    if (!file.empty())
        return QFileInfo(QFile::decodeName(file.c_str())).completeBaseName();
    return QStringLiteral("Personagem");
}

} // namespace kestrix

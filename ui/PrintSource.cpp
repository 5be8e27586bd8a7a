#include "PrintSource.h"

#include "Document.h"
#include "MetafilePicture.h"
#include "SheetPdfFile.h"

#include <QFile>
#include <QFileInfo>

namespace kestrix {

QtPrintPicture toPrintPicture(const Picture& picture) {
    if (picture.isEmpty())
        return QtPrintPicture::none();
    if (picture.kind == Picture::Kind::Icon)
        return QtPrintPicture::icon(picture.image);
    if (picture.kind == Picture::Kind::Metafile) {
        // Played as vector shapes at the printer's resolution, not as the
        // window's small image blown up.
        return QtPrintPicture::metafile([svg = picture.svg](QPainter& painter, const QRectF& rect) {
            playMetafile(svg, painter, rect);
        });
    }
    return QtPrintPicture::bitmap(picture.image);
}

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

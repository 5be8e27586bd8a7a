#include "print/qt/SheetPdfFile.h"

#include "Version.h"
#include "core/CharacterSheet.h"
#include "platform/BuiltInPictures.h"
#include "platform/TextConversion.h"
#include "storage/FileSystem.h"

#include <QBuffer>

namespace kestrix {

QString sheetPdfTitle(const CharacterSheet& sheet) {
    return toQString(sheet.name()).trimmed();
}

QString sheetPdfCreator() {
    return QStringLiteral("Kestrix " KESTRIX_VERSION);
}

Result saveSheetPdf(const std::string& path, const std::vector<SheetPdfPage>& pages,
                    const SheetPdfInfo& info) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (Result error =
                writeSheetPdf(buffer, pages, QtPrintPicture::bitmap(sheetEmblem()), info))
            return error;
    }
    return replaceFileSafely(path, std::string_view(bytes.constData(), bytes.size()));
}

} // namespace kestrix

#include "platform/Picture.h"

#include "platform/MetafileConverter.h"
#include "platform/MetafilePicture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace kestrix {
namespace {

PictureLoad failure(const QString& message) {
    return {Picture{}, Error{0, message.toStdString()}};
}

PictureLoad readImage(QFile& file, const char* format, Picture::Kind kind,
                      const QString& invalidMessage) {
    // Only the named format's reader: no other image plugin is loaded to be
    // asked whether it wants the file.
    QImageReader reader(&file, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        return failure(invalidMessage);
    return {Picture{kind, std::move(image)}, std::nullopt};
}

// The parsers run in the converter's own process; whatever goes wrong
// there, from a damaged record to a crash or a hang, is one message here.
PictureLoad readMetafile(const QString& path) {
    const QString invalid = QStringLiteral("Metafile is not valid");
    if (Result missing = metafileSupportError())
        return {Picture{}, std::move(missing)};
    const std::optional<QByteArray> svg = metafileConverter().toSvg(path);
    if (!svg)
        return failure(invalid);
    std::optional<Picture> picture = metafilePicture(*svg);
    if (!picture)
        return failure(invalid);
    return {std::move(*picture), std::nullopt};
}

} // namespace

PictureLoad loadPictureFile(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    const bool known =
        extension == "bmp" || extension == "ico" || extension == "wmf" || extension == "emf";
    if (!known)
        return failure(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir())
        return failure(QStringLiteral("Cannot open file %1").arg(path));

    if (extension == "bmp")
        return readImage(file, "bmp", Picture::Kind::Bitmap, "Bitmap image is not valid");
    if (extension == "ico")
        return readImage(file, "ico", Picture::Kind::Icon, "Icon image is not valid");
    return readMetafile(path);
}

} // namespace kestrix

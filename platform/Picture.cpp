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
    // Photographs as players have them; each read only by its own format's
    // reader, within the same allocation limit as a bitmap.
    struct Photograph {
        const char* extension;
        const char* format;
        const char* invalid;
    };
    static const Photograph photographs[] = {
        {"png", "png", "PNG image is not valid"},
        {"jpg", "jpeg", "JPEG image is not valid"},
        {"jpeg", "jpeg", "JPEG image is not valid"},
        {"gif", "gif", "GIF image is not valid"},
    };
    const Photograph* photograph = nullptr;
    for (const Photograph& candidate : photographs)
        if (extension == QLatin1String(candidate.extension))
            photograph = &candidate;
    const bool known = photograph != nullptr || extension == "bmp" || extension == "ico" ||
                       extension == "wmf" || extension == "emf";
    if (!known)
        return failure(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir())
        return failure(QStringLiteral("Cannot open file %1").arg(path));

    if (photograph != nullptr)
        return readImage(file, photograph->format, Picture::Kind::Bitmap,
                         QString::fromLatin1(photograph->invalid));
    if (extension == "bmp")
        return readImage(file, "bmp", Picture::Kind::Bitmap, "Bitmap image is not valid");
    if (extension == "ico")
        return readImage(file, "ico", Picture::Kind::Icon, "Icon image is not valid");
    return readMetafile(path);
}

} // namespace kestrix

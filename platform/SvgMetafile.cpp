// The metafile module: what the editor does with QtSvg, in a library of its
// own (see SvgMetafileEntry.h).
#include "platform/MetafilePicture.h"
#include "platform/SvgMetafileEntry.h"
#include "svgcheck/SvgAllowList.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cmath>
#include <memory>
#include <string_view>

namespace kestrix {
namespace {

// The frame of the picture is the root's own viewBox; QtSvg makes one up
// when it is missing or empty, which would hide a broken document.
bool hasFrame(const QByteArray& svg) {
    QXmlStreamReader reader(svg);
    if (!reader.readNextStartElement() || reader.name() != QStringLiteral("svg"))
        return false;
    const QStringList numbers = reader.attributes()
                                    .value(QStringLiteral("viewBox"))
                                    .toString()
                                    .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (numbers.size() != 4)
        return false;
    bool widthOk = false;
    bool heightOk = false;
    const double width = numbers[2].toDouble(&widthOk);
    const double height = numbers[3].toDouble(&heightOk);
    return widthOk && heightOk && std::isfinite(width) && std::isfinite(height) && width > 0 &&
           height > 0;
}

// The converter is a separate program that anyone could replace, so its
// document passes the same allow-list here before QtSvg parses it: QtSvg
// would read any file or decode any image format a reference names, in the
// editor's own process.
bool trusted(const QByteArray& svg) {
    return passesSvgAllowList(
        std::string_view(svg.constData(), static_cast<std::size_t>(svg.size())));
}

// QtSvg decodes the document's images as it reads it; none may cost more
// than the allow-list's caps let through (what the converter writes is far
// less), whatever an image claims to be.
std::unique_ptr<QSvgRenderer> read(const QByteArray& svg) {
    const int saved = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(kEmbeddedImageAllocationMb);
    auto renderer = std::make_unique<QSvgRenderer>(svg);
    QImageReader::setAllocationLimit(saved);
    return renderer;
}

bool drawable(const QSvgRenderer& renderer) {
    const QRectF frame = renderer.viewBoxF();
    return renderer.isValid() && frame.width() > 0 && frame.height() > 0;
}

} // namespace
} // namespace kestrix

using kestrix::kMetafilePreviewSize;
using kestrix::Picture;

Q_DECL_EXPORT bool kestrixMetafilePicture(const QByteArray& svg, Picture& picture) {
    if (!kestrix::trusted(svg) || !kestrix::hasFrame(svg))
        return false;
    const std::unique_ptr<QSvgRenderer> renderer = kestrix::read(svg);
    if (!kestrix::drawable(*renderer))
        return false;
    QImage preview(kMetafilePreviewSize, QImage::Format_ARGB32_Premultiplied);
    preview.fill(Qt::transparent);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(kMetafilePreviewSize)));
    painter.end();
    picture = Picture{Picture::Kind::Metafile, std::move(preview), svg};
    return true;
}

Q_DECL_EXPORT void kestrixPlayMetafile(const QByteArray& svg, QPainter& painter,
                                       const QRectF& rect) {
    if (!kestrix::trusted(svg))
        return;
    const std::unique_ptr<QSvgRenderer> renderer = kestrix::read(svg);
    if (kestrix::drawable(*renderer))
        renderer->render(&painter, rect);
}

#include "MetafilePicture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace kestrix {
namespace {

bool drawable(const QSvgRenderer& renderer) {
    const QRectF frame = renderer.viewBoxF();
    return renderer.isValid() && std::isfinite(frame.width()) && std::isfinite(frame.height()) &&
           frame.width() > 0 && frame.height() > 0;
}

} // namespace

std::optional<Picture> metafilePicture(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    if (!drawable(renderer))
        return std::nullopt;
    QImage preview(kMetafilePreviewSize, QImage::Format_ARGB32_Premultiplied);
    preview.fill(Qt::transparent);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kMetafilePreviewSize)));
    painter.end();
    return Picture{Picture::Kind::Metafile, std::move(preview), svg};
}

void playMetafile(const QByteArray& svg, QPainter& painter, const QRectF& rect) {
    QSvgRenderer renderer(svg);
    if (drawable(renderer))
        renderer.render(&painter, rect);
}

} // namespace kestrix

#include "print/qt/PrintablePicture.h"

#include "platform/MetafilePicture.h"

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

} // namespace kestrix

#include "print/qt/QtPrintPicture.h"

#include <utility>

namespace kestrix {

QtPrintPicture QtPrintPicture::bitmap(QImage image) {
    return {PrintPicture::Kind::Bitmap, std::move(image), {}};
}

QtPrintPicture QtPrintPicture::icon(QImage image) {
    return {PrintPicture::Kind::Icon, std::move(image), {}};
}

QtPrintPicture QtPrintPicture::metafile(MetafilePlayer player) {
    return {PrintPicture::Kind::Metafile, {}, std::move(player)};
}

} // namespace kestrix

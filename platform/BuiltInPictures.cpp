#include "platform/BuiltInPictures.h"

// The pictures live in a static library; registering them by hand keeps the
// linker from dropping them.
static void initPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace kestrix {

const Picture& defaultCharacterPicture() {
    static const Picture picture =
        (initPictures(), Picture{Picture::Kind::Bitmap, QImage(":/pictures/modelo.bmp")});
    return picture;
}

const QImage& sheetEmblem() {
    static const QImage emblem = (initPictures(), QImage(":/pictures/icone.bmp"));
    return emblem;
}

} // namespace kestrix

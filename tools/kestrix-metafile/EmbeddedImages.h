#pragma once

#include "tools/kestrix-metafile/MetafileConversion.h"

#include <string_view>

namespace kestrix {

// The document with every embedded image (PNG, JPEG or BMP data, as the
// libraries write them) decoded and written again as a plain PNG, which is
// all the editor's allow-list accepts: a metafile's bitmap may carry
// compressed texts, profiles or private chunks that a reader would inflate
// in the editor's process, and a JPEG photo, which the editor never reads,
// shows like any other bitmap (scaled down to the printed picture box when
// it is larger). Each image is decoded here, in the converter's limited
// process, within the allow-list's caps: an image over them fails the
// document; one that cannot be decoded, which the renderer would have left
// out, is left out (an empty image takes its place).
MetafileConversion withPlainPngImages(std::string_view svg);

} // namespace kestrix

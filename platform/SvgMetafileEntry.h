#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <QRectF>

class QPainter;

// The entry points of the metafile module (kestrix-svg.so), which draws the
// converter's SVG documents with QtSvg: the editor loads it, and QtSvg with
// it, the first time a metafile picture is shown, printed or exported.
extern "C" {

// metafilePicture(): fills `picture` and returns true, or returns false.
bool kestrixMetafilePicture(const QByteArray& svg, kestrix::Picture& picture);

// playMetafile().
void kestrixPlayMetafile(const QByteArray& svg, QPainter& painter, const QRectF& rect);
}

namespace kestrix {

constexpr const char* kSvgModuleFile = "kestrix-svg.so";

} // namespace kestrix

#pragma once

#include "core/Error.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <optional>

class QPainter;

namespace kestrix {

// The window shows a metafile as an image rendered at twice the size of its
// picture frame (108 x 158), so that scaling it down keeps it crisp.
constexpr QSize kMetafilePreviewSize(216, 316);

// Why metafile pictures cannot be drawn (the part of the program that draws
// them is missing), or nothing when they can.
Result metafileSupportError();

// A metafile picture from the SVG document the converter wrote, or nothing
// when the document fails the converter's allow-list, is not one QtSvg can
// draw or has an empty frame.
std::optional<Picture> metafilePicture(const QByteArray& svg);

// Draws the metafile into the rectangle as vector shapes, stretched to fill
// it as a metafile is played into a rectangle; a document that fails the
// allow-list draws nothing.
void playMetafile(const QByteArray& svg, QPainter& painter, const QRectF& rect);

} // namespace kestrix

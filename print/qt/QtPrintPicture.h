#pragma once

#include "print/PrintPicture.h"

#include <QImage>
#include <QRectF>
#include <functional>

class QPainter;

namespace kestrix {

// Plays a metafile into a rectangle of the painter's device. Whoever loads
// metafiles supplies one; the canvas only calls it.
using MetafilePlayer = std::function<void(QPainter& painter, const QRectF& rect)>;

// A picture as the Qt side holds it, before the canvas turns it into the
// layout's opaque PrintPicture.
struct QtPrintPicture {
    PrintPicture::Kind kind = PrintPicture::Kind::None;
    QImage image;
    MetafilePlayer player;

    static QtPrintPicture none() { return {}; }
    static QtPrintPicture bitmap(QImage image);
    static QtPrintPicture icon(QImage image);
    static QtPrintPicture metafile(MetafilePlayer player);
};

} // namespace kestrix

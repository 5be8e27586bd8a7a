#pragma once

#include "core/Error.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>
#include <utility>

namespace kestrix {

// A picture as the window shows it and the printed sheet draws it: bitmaps
// stretch to their frame, icons keep their own size, metafiles are vector
// drawings rendered to the size they are drawn at. A metafile keeps its
// drawing as SVG for printing and a rendered image for the window.
struct Picture {
    enum class Kind { None, Bitmap, Icon, Metafile };

    Picture() = default;
    Picture(Kind kind, QImage image, QByteArray svg = {})
        : kind(kind), image(std::move(image)), svg(std::move(svg)) {}

    Kind kind = Kind::None;
    QImage image;
    QByteArray svg;

    bool isEmpty() const { return kind == Kind::None || image.isNull(); }
};

// The outcome of loading a picture file: the picture, or the error to show.
struct PictureLoad {
    Picture picture;
    Result error;

    bool ok() const { return !error; }
    std::string errorMessage() const { return error ? error->message : std::string(); }
};

// Loads a picture file, choosing the format by the extension (compared
// without regard to case): bmp, ico, wmf, emf, and the photographs png, jpg,
// jpeg and gif, which are shown as bitmaps are.
PictureLoad loadPictureFile(const QString& path);

} // namespace kestrix

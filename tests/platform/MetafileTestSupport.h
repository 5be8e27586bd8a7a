#pragma once

#include "platform/MetafileConverter.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <utility>

namespace kestrix::test {

// The sample metafiles all draw one picture in a frame of 1000 x 1500
// units: a red rectangle (100, 100)-(900, 600) with a black outline 20 units
// wide, a blue ellipse (200, 800)-(800, 1400) and the green text "Ação".
inline QString sampleMetafile(const char* name) {
    return QStringLiteral(KESTRIX_TEST_DATA_DIR "/metafiles/") + QString::fromLatin1(name);
}

// Where a point of the sample frame lands in a rectangle the picture fills.
inline QPoint inFrame(const QRectF& target, double x, double y) {
    return QPoint(static_cast<int>(target.left() + target.width() * x / 1000.0),
                  static_cast<int>(target.top() + target.height() * y / 1500.0));
}

// Points of the sample frame and what the picture shows there.
struct SampleSpot {
    const char* what;
    double x, y;
    QColor colour; // invalid: nothing drawn there
};
inline const SampleSpot kSampleSpots[] = {
    {"corner outside the ink", 50, 50, QColor()},
    {"inside the rectangle", 500, 350, QColor(255, 0, 0)},
    {"on the rectangle's left outline", 100, 350, QColor(0, 0, 0)},
    {"inside the ellipse", 500, 1100, QColor(0, 0, 255)},
    {"between rectangle and ellipse, right of the text", 950, 700, QColor()},
};

// Whether a pixel is close to a colour (edges are smoothed).
inline bool near(QColor actual, QColor expected, int tolerance = 40) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// How many pixels of the area show exactly this colour.
inline int pixelsOf(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb() &&
                             image.pixelColor(x, y).alpha() == 255
                         ? 1
                         : 0;
    }
    return count;
}

// A PNG file of one colour, for pictures that must never show it.
inline QString writeSolidPng(const QString& path, QColor colour) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, "PNG");
    return path;
}

// Points the picture loader at another converter for one test.
class ConverterOverride {
public:
    ConverterOverride(const QString& program, MetafileConverter::Limits limits = {})
        : m_saved(metafileConverter()) {
        metafileConverter() = MetafileConverter(program, limits);
    }
    ~ConverterOverride() { metafileConverter() = m_saved; }
    ConverterOverride(const ConverterOverride&) = delete;
    ConverterOverride& operator=(const ConverterOverride&) = delete;

private:
    MetafileConverter m_saved;
};

inline QString realConverter() {
    return QStringLiteral(KESTRIX_METAFILE_CONVERTER);
}
inline QString fakeConverter() {
    return QStringLiteral(KESTRIX_FAKE_METAFILE_CONVERTER);
}

} // namespace kestrix::test

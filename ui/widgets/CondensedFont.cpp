#include "ui/widgets/CondensedFont.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace kestrix {
namespace {

constexpr int kWidestStretch = 99;

qreal advance(const QFont& font, const QPaintDevice* device, const QString& text) {
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

bool fitsAt(int stretch, QFont font, const QPaintDevice* device, int width, const QString& text) {
    font.setStretch(stretch);
    return fitsWithCaret(font, device, width, text);
}

// The widest stretch at which the text fits. A font is condensed by
// scaling its glyphs, so the advance shrinks in proportion to the stretch:
// the base advance gives the answer to within rounding, and trying it and
// its neighbour confirms it. Walking on from there only happens for a font
// whose advances do not scale (one with condensed faces of its own).
int widestFittingStretch(const QFont& base, qreal baseAdvance, const QPaintDevice* device,
                         int width, const QString& text) {
    // The caret takes one pixel, and the advance is rounded to whole pixels.
    const qreal room = width - 1 + 0.5;
    const qreal estimate = baseAdvance > 0 ? std::ceil(100 * room / baseAdvance) - 1 : 0;
    int stretch = static_cast<int>(std::clamp<qreal>(estimate, kNarrowestStretch, kWidestStretch));
    if (fitsAt(stretch, base, device, width, text)) {
        while (stretch < kWidestStretch && fitsAt(stretch + 1, base, device, width, text))
            ++stretch;
        return stretch;
    }
    while (stretch > kNarrowestStretch && !fitsAt(--stretch, base, device, width, text)) {
    }
    return stretch;
}

QString cacheKey(const QFont& font, const QPaintDevice* device, int width, const QString& text) {
    const int dpiX = device != nullptr ? device->logicalDpiX() : 0;
    const int dpiY = device != nullptr ? device->logicalDpiY() : 0;
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(font.key())
        .arg(dpiX)
        .arg(dpiY)
        .arg(width)
        .arg(text);
}

} // namespace

bool fitsWithCaret(const QFont& font, const QPaintDevice* device, int width, const QString& text) {
    return static_cast<int>(std::lround(advance(font, device, text))) + 1 <= width;
}

QFont condensedToFit(const QFont& font, const QPaintDevice* device, int width,
                     const QString& text) {
    QFont base = font;
    base.setStretch(QFont::AnyStretch);
    // QFont::AnyStretch (0) stands for the font at its own width.
    static QHash<QString, int> stretches;
    const QString key = cacheKey(base, device, width, text);
    auto found = stretches.constFind(key);
    if (found == stretches.constEnd()) {
        const qreal baseAdvance = advance(base, device, text);
        const int stretch = static_cast<int>(std::lround(baseAdvance)) + 1 <= width
                                ? int(QFont::AnyStretch)
                                : widestFittingStretch(base, baseAdvance, device, width, text);
        found = stretches.insert(key, stretch);
    }
    base.setStretch(*found);
    return base;
}

} // namespace kestrix

#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

namespace kestrix {

// Condensing stops here; a font this narrow is still read easily.
constexpr int kNarrowestStretch = 70;

// `font` at its own width when `text` and a one-pixel caret fit in `width`
// pixels on `device`; else the font at the widest stretch from 99 % down to
// kNarrowestStretch at which they fit, or at kNarrowestStretch when none
// does. Every font engine a trial sets up costs fontconfig's matching, so
// the answer for a font, width and text is worked out once per process and
// shared.
QFont condensedToFit(const QFont& font, const QPaintDevice* device, int width, const QString& text);

// Whether `text` and a one-pixel caret fit in `width` pixels in `font` on
// `device`, as QLineEdit decides whether it has to scroll.
bool fitsWithCaret(const QFont& font, const QPaintDevice* device, int width, const QString& text);

} // namespace kestrix

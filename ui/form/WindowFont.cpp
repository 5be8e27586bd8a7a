#include "ui/form/WindowFont.h"

namespace kestrix {

QFont windowFont() {
    // The weight is set, not left to the desktop's font: a bold or italic
    // desktop font would otherwise make every caption wider than its place.
    return QFont("MS Sans Serif", 8, QFont::Normal);
}

} // namespace kestrix

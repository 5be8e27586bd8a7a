#include "WindowFont.h"

namespace kestrix {

QFont windowFont() {
    return QFont("MS Sans Serif", 8);
}

} // namespace kestrix

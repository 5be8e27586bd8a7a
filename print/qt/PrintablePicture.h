#pragma once

#include "Picture.h"
#include "QtPrintPicture.h"

namespace kestrix {

// A picture of the window as the printed sheet draws it.
QtPrintPicture toPrintPicture(const Picture& picture);

} // namespace kestrix

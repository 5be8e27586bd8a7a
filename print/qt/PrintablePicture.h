#pragma once

#include "platform/Picture.h"
#include "print/qt/QtPrintPicture.h"

namespace kestrix {

// A picture of the window as the printed sheet draws it.
QtPrintPicture toPrintPicture(const Picture& picture);

} // namespace kestrix

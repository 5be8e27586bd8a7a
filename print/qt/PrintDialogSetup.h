#pragma once

#include "Error.h"

#include <QString>

class QPrintDialog;

namespace kestrix {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

// Offers only what a one-page sheet needs: no printing to a file, no page
// range, no selection, no collation; the range is page 1 to page 1.
void configurePrintDialog(QPrintDialog& dialog);

// The error to report instead of showing the print dialog when the system
// names no default printer, or names one that is not installed; nothing when
// a default printer is there.
Result defaultPrinterError();

} // namespace kestrix

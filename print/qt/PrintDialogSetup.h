#pragma once

#include "core/Error.h"

#include <QString>

class QPrintDialog;

namespace kestrix {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

// Offers only what a one-page sheet needs: no printing to a file, no page
// range, no selection, no collation; the range is page 1 to page 1.
void configurePrintDialog(QPrintDialog& dialog);

// The error to report instead of showing the print dialog when no printer is
// installed at all; nothing when there is one to print on.
Result noPrinterError();

// The printer the print dialog opens on: the system's default when it names
// an installed printer, else the first installed printer (many systems name
// no default), else an empty text.
QString initialPrinterName();

} // namespace kestrix

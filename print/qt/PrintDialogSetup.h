#pragma once

#include <QString>

class QPrintDialog;

namespace kestrix {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

// Offers only what a one-page sheet needs: no printing to a file, no page
// range, no selection, no collation; the range is page 1 to page 1.
void configurePrintDialog(QPrintDialog& dialog);

// The message to report instead of showing the print dialog when the system
// names no default printer, or names one that is not installed; empty when a
// default printer is there.
QString defaultPrinterError();

} // namespace kestrix

#include "PrintDialogSetup.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kestrix {

void configurePrintDialog(QPrintDialog& dialog) {
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    // Set after the page range, which turns range printing back on. Only the
    // page size stays on offer: the sheet is one page for one printer.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (QPrinter* printer = dialog.printer()) {
        printer->setCollateCopies(false);
        printer->setPrintRange(QPrinter::AllPages);
    }
}

Result defaultPrinterError() {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull() ||
        !QPrinterInfo::availablePrinterNames().contains(defaultPrinter.printerName())) {
        return Error{0, kNoDefaultPrinter};
    }
    return std::nullopt;
}

} // namespace kestrix

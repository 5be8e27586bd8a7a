#include "print/qt/PrintDialogSetup.h"

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

QString initialPrinterName() {
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    if (!defaultName.isEmpty() && installed.contains(defaultName))
        return defaultName;
    return installed.isEmpty() ? QString() : installed.constFirst();
}

Result noPrinterError() {
    if (initialPrinterName().isEmpty())
        return Error{0, kNoDefaultPrinter};
    return std::nullopt;
}

} // namespace kestrix

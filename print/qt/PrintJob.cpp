#include "print/qt/PrintJob.h"

#include "core/CharacterSheet.h"
#include "print/PrintSheet.h"
#include "print/qt/CupsJob.h"
#include "print/qt/QtPrintCanvas.h"

#include <QPageLayout>
#include <QPrinter>

namespace kestrix {
namespace {

// The layout's origin is the corner of the area the printer can print on,
// as it declares it; Qt's default margins would move the sheet further in.
void usePrintableArea(QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

} // namespace

DeviceJob printerJob(QPrinter& printer) {
    return {[&printer] { return printer.printerState() == QPrinter::Error; },
            [&printer] { printer.abort(); }};
}

Result printCharacterSheet(QPrinter& printer, const CharacterSheet& sheet,
                           const QtPrintPicture& picture, const QtPrintPicture& emblem) {
    printer.setResolution(kPrintResolution);
    clearPageSelection(printer);
    usePrintableArea(printer);
    CupsJob job(printer);
    Result error;
    {
        QtPrintCanvas canvas(printer, printerJob(printer));
        const PrintSheetInput input{sheet, canvas.addPicture(picture), canvas.addPicture(emblem)};
        error = PrintSheet(canvas, input);
    }
    if (!error)
        error = job.submit();
    return error;
}

} // namespace kestrix

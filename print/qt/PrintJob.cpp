#include "PrintJob.h"

#include "CharacterSheet.h"
#include "PrintSheet.h"
#include "QtPrintCanvas.h"

#include <QPrinter>

namespace kestrix {

QString printCharacterSheet(QPrinter& printer, const CharacterSheet& sheet,
                            const QtPrintPicture& picture, const QtPrintPicture& emblem) {
    printer.setResolution(kPrintResolution);
    QtPrintCanvas canvas(printer);
    const PrintSheetInput input{sheet, canvas.addPicture(picture), canvas.addPicture(emblem)};
    return QString::fromStdString(PrintSheet(canvas, input));
}

} // namespace kestrix

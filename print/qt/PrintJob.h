#pragma once

#include "core/Error.h"
#include "print/qt/QtPrintCanvas.h"
#include "print/qt/QtPrintPicture.h"

#include <QString>

class QPrinter;

namespace kestrix {

class CharacterSheet;

// A printer's failure and cancelling, for a canvas drawing on it.
DeviceJob printerJob(QPrinter& printer);

// Prints the sheet as one job of one page on a printer the user has already
// confirmed, whole whatever page choice the printer holds, with its origin at
// the corner of the printer's printable area. Fails with the message to report
// (the print system's own when it refuses the job). A job that fails while drawing is not sent to a
// print queue (a PDF file is closed) so that the next print starts afresh.
Result printCharacterSheet(QPrinter& printer, const CharacterSheet& sheet,
                           const QtPrintPicture& picture, const QtPrintPicture& emblem);

} // namespace kestrix

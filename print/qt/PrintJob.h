#pragma once

#include "QtPrintPicture.h"

#include <QString>

class QPrinter;

namespace kestrix {

class CharacterSheet;

// The page is laid out in dots of a 300 dots-per-inch printer.
constexpr int kPrintResolution = 300;

// Prints the sheet as one job of one page on a printer the user has already
// confirmed. Returns the message to report, or an empty text when the page
// went through. A job that fails while drawing is aborted (or, where the
// print system cannot abort, closed) so that the next print starts afresh.
QString printCharacterSheet(QPrinter& printer, const CharacterSheet& sheet,
                            const QtPrintPicture& picture, const QtPrintPicture& emblem);

} // namespace kestrix

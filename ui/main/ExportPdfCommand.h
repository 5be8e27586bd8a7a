#pragma once

#include "core/Error.h"

#include <QString>

namespace kestrix {

class CharacterSheet;
class FileDialogs;
struct Document;
struct Picture;

// The file "Exportar PDF ..." offers: the character's name with ".pdf", in
// the folder of the character's file when it has one.
QString suggestedPdfPath(const Document& document);

// "Exportar PDF ...": the save dialog, then the sheet as the printer would
// get it, written to the chosen file. Needs no printer and no print system.
// Fails with the error to report; succeeds when the file was written or the
// user cancelled.
Result exportPdf(FileDialogs& dialogs, const Document& document, const Picture& picture);

} // namespace kestrix

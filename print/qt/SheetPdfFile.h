#pragma once

#include "core/Error.h"
#include "print/qt/SheetPdf.h"

#include <QString>
#include <string>
#include <vector>

namespace kestrix {

class CharacterSheet;

// The document title of a character's PDF: its name, as readable text.
QString sheetPdfTitle(const CharacterSheet& sheet);

// "Kestrix" and the version, as the creator of every PDF the program writes.
QString sheetPdfCreator();

// Writes the pages as one PDF to `path` the way a character is saved: the
// whole document is made first, then replaces the file safely, so a failure
// leaves any earlier file as it was. Fails with the error to report.
Result saveSheetPdf(const std::string& path, const std::vector<SheetPdfPage>& pages,
                    const SheetPdfInfo& info);

} // namespace kestrix

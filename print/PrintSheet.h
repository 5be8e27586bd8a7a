#pragma once

#include "core/CharacterSheet.h"
#include "print/PrintCanvas.h"
#include "print/PrintPicture.h"

#include <string>

namespace kestrix {

// What the printed page shows besides the sheet's texts: the picture the main
// window shows for the character and the program's emblem.
struct PrintSheetInput {
    const CharacterSheet& sheet;
    PrintPicture picture;
    PrintPicture emblem;
};

// Draws the whole character sheet as one job of one page on the canvas, at
// fixed device coordinates. Fails with the canvas's error when the job could
// not be begun, drawn or ended (a job that fails while drawing is aborted).
Result PrintSheet(PrintCanvas& canvas, const PrintSheetInput& input);

} // namespace kestrix

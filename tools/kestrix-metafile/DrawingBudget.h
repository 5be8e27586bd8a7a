#pragma once

#include "tools/kestrix-metafile/DrawingCost.h"

#include <QSize>
#include <string>
#include <string_view>

namespace kestrix {

// The most that drawing a picture once may cost the editor, on its window's
// thread: it draws on every load, print, preview and export.
constexpr double kDrawingBudgetSeconds = 1.0;
constexpr std::size_t kDrawingBudgetBytes = std::size_t{256} * 1024 * 1024;

// The largest the program ever draws a picture: the printed sheet's picture
// box at 300 dots to the inch, when the name above it takes no room.
constexpr QSize kLargestPictureSize(581, 984);

bool withinDrawingBudget(const DrawingCost& cost);

// Draws the SVG document once, as the editor draws a picture, at the largest
// size, and returns why that is not a picture the editor can afford (QtSvg
// cannot read it, or it costs more than the budget), or an empty text.
// Makes the toolkit ready to draw first, when the process has none yet.
std::string drawingBudgetViolation(std::string_view svg);

// For the converter's own process: a dry run still drawing at twice the
// budget's processor time ends the process there, rather than at its limit.
void endProcessFarBeyondDrawingBudget();

} // namespace kestrix

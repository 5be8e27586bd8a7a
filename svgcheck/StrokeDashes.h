#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrix {

// An element's attributes as they were read: names and normalised values.
using SvgAttributes = std::vector<std::pair<std::string_view, std::string>>;

// The length of one repetition of a stroke-dasharray value, in the user
// units of the element it strokes: 0 for "none" and for a pattern that adds
// up to nothing (both draw a solid line); -1 for a value that is not a list
// of plain non-negative numbers.
double dashPeriod(std::string_view dasharray);

// The stroke-dasharray an element sets, in an attribute or in its style;
// empty when it sets none (and so inherits its parent's).
std::string_view dashArrayOf(const SvgAttributes& attributes);

// How long the outline of a shape element is, in its own user units: exact
// for lines, polygons and rectangles, an upper bound for curves, arcs,
// ellipses and circles; 0 for elements without an outline. Path data is
// read up to its first error, as renderers draw it.
double outlineLength(std::string_view element, const SvgAttributes& attributes);

} // namespace kestrix

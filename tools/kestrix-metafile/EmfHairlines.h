#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// libemf2svg writes every cosmetic pen (one device pixel wide, whatever the
// mapping) one unit wide, and then lets the world transform around it
// scale it up: a chart's lines become bands. The document with those
// strokes kept one pixel of whatever device draws it.
std::string withHairlines(std::string_view svg);

} // namespace kestrix

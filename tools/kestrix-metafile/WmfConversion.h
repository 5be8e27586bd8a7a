#pragma once

#include "tools/kestrix-metafile/MetafileConversion.h"

#include <string_view>

namespace kestrix {

// Whether the bytes start like a Windows metafile, placeable or plain.
bool looksLikeWmf(std::string_view bytes);

// Plays a Windows metafile through libwmf into our own SVG device layer.
MetafileConversion convertWmf(std::string_view bytes);

} // namespace kestrix

#pragma once

#include "tools/kestrix-metafile/MetafileConversion.h"

#include <string>
#include <string_view>

namespace kestrix {

// Whether the bytes start with an enhanced metafile's header record.
bool looksLikeEmf(std::string_view bytes);

// The enhanced metafile rewritten for libemf2svg, or an empty text when its
// record chain is damaged or ends before the end-of-file record:
//  - the header's bounds (the ink) become the frame, in device units, so
//    the picture keeps its frame and proportions;
//  - pens made by CREATEPEN wider than one unit are marked geometric, as
//    the drawing interface treats them (libemf2svg draws every other pen
//    one unit wide);
//  - ANSI texts become Unicode texts from Windows-1252 (libemf2svg blanks
//    every byte above 127 and reads an ANSI text up to the next zero byte,
//    wherever that is);
//  - quotes and markup characters in font names become blanks (libemf2svg
//    writes the names into attributes unescaped);
//  - a description or pixel format that the header places outside itself
//    is dropped (libemf2svg reads it from wherever the header says).
// Writes the frame's size into width and height.
std::string prepareEmf(std::string_view bytes, double& width, double& height);

// Converts an enhanced metafile with libemf2svg.
MetafileConversion convertEmf(std::string_view bytes);

} // namespace kestrix

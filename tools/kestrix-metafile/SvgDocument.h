#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// Replaces whatever a converter wrote before and as the root element's start
// tag with a plain SVG 1.1 root in the SVG namespace whose viewBox is
// 0 0 width height. Returns an empty text when the document has no root.
std::string withSvgRoot(std::string_view document, double width, double height);

// Whether the document draws anything at all: some shape outside the
// definitions that is more than a point (sizes of zero, every point the
// same, a font zero high draw nothing).
bool drawsSomething(std::string_view document);

// The document with every CDATA section turned into escaped character data,
// in which greaterStandIn becomes an escaped '>' and control characters,
// which XML forbids, become blanks. A section that never ends gives an
// empty text.
std::string cdataAsText(std::string_view document, std::string_view greaterStandIn);

// Windows-1252 bytes as XML character data in UTF-8: markup characters are
// escaped and control characters, which XML forbids, become blanks.
std::string windows1252ToXmlText(std::string_view text);

} // namespace kestrix

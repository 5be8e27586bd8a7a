#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

// Largest image an SVG document may embed, decoded, its largest side in
// pixels, and the most pixels all its images may hold together (the
// renderer decodes every image when it reads the document): a picture frame
// of 108 x 158 needs nothing near any of them.
constexpr std::size_t kMaxEmbeddedImageBytes = 4 * 1024 * 1024;
constexpr std::uint32_t kMaxEmbeddedImageSide = 4096;
constexpr std::uint64_t kMaxEmbeddedPixels = std::uint64_t{4096} * 4096;

// Checks an SVG document against what the metafile conversions write: one
// well-formed UTF-8 document, an <svg> root in the SVG namespace, only the
// elements and attributes the conversions produce, no document type, entity,
// CDATA section or processing instruction, references only to fragments of
// the document itself (url(#id), xlink:href="#id"), and images only as
// base64 data: URLs of PNG or BMP content within the caps above. Returns why
// the document fails, or an empty text when it passes.
std::string svgAllowListViolation(std::string_view svg);

inline bool passesSvgAllowList(std::string_view svg) {
    return svgAllowListViolation(svg).empty();
}

} // namespace kestrix

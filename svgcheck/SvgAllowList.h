#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

// Largest image an SVG document may embed, encoded, its largest side in
// pixels, and the most pixels all its images may hold together (the
// renderer decodes every image when it reads the document): a picture frame
// of 108 x 158 needs nothing near any of them.
constexpr std::size_t kMaxEmbeddedImageBytes = 4 * 1024 * 1024;
constexpr std::uint32_t kMaxEmbeddedImageSide = 4096;
constexpr std::uint64_t kMaxEmbeddedPixels = std::uint64_t{4096} * 4096;
// What an image reader may allocate for one embedded image, in megabytes:
// the largest the caps let through, at four bytes a pixel.
constexpr int kEmbeddedImageAllocationMb =
    static_cast<int>(std::uint64_t{kMaxEmbeddedImageSide} * kMaxEmbeddedImageSide * 4 >> 20);

// What the renderer would spend its time on, beyond the elements the
// document spells out one by one: the dashes of all its dashed outlines
// together (each is stroked on its own: a thin dashed zig-zag across a
// large frame is millions of them), and the <use> elements.
constexpr double kMaxDashes = 100000;
constexpr std::size_t kMaxUses = 64;

// Checks an SVG document against what the metafile conversions write: one
// well-formed UTF-8 document, an <svg> root in the SVG namespace, only the
// elements and attributes the conversions produce, no document type, entity,
// CDATA section or processing instruction, references only to fragments of
// the document itself (url(#id), xlink:href="#id"), <use> only of the
// document's own images and never holding elements, images only as base64
// data: URLs of plain PNG content (no chunk but IHDR, PLTE, tRNS, IDAT and
// IEND) within the caps above, and dashed outlines and <use> within theirs.
// Returns why the document fails, or an empty text when it passes.
std::string svgAllowListViolation(std::string_view svg);

inline bool passesSvgAllowList(std::string_view svg) {
    return svgAllowListViolation(svg).empty();
}

} // namespace kestrix

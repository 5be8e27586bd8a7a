#include "svgcheck/PlainPng.h"

#include <array>
#include <cstdint>

namespace kestrix {
namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1A\n", 8);
// Length, type, CRC.
constexpr std::size_t kChunkOverhead = 12;

bool isPlainChunk(std::string_view type) {
    static constexpr std::array<std::string_view, 5> kPlain = {"IHDR", "PLTE", "tRNS", "IDAT",
                                                               "IEND"};
    for (std::string_view plain : kPlain) {
        if (type == plain)
            return true;
    }
    return false;
}

// Walks the chunks, IHDR first, up to IEND; keeps the plain ones in `kept`
// when it is given. Returns the offset just past IEND, or 0 when the chain
// is damaged or a chunk is not plain and strict.
std::size_t walkChunks(std::string_view png, bool strict, std::string* kept) {
    if (png.substr(0, kSignature.size()) != kSignature)
        return 0;
    std::size_t at = kSignature.size();
    bool first = true;
    while (png.size() - at >= kChunkOverhead) {
        const std::uint32_t length = bigEndian32(png, at);
        const std::string_view type = png.substr(at + 4, 4);
        if (length > png.size() - at - kChunkOverhead)
            return 0;
        const std::size_t end = at + kChunkOverhead + length;
        if (first != (type == "IHDR") || (type == "IHDR" && length != 13))
            return 0;
        first = false;
        if (isPlainChunk(type)) {
            if (kept != nullptr)
                kept->append(png.substr(at, end - at));
        } else if (strict) {
            return 0;
        }
        if (type == "IEND")
            return end;
        at = end;
    }
    return 0;
}

} // namespace

bool isPlainPng(std::string_view png) {
    return walkChunks(png, true, nullptr) == png.size();
}

std::string plainPngChunks(std::string_view png) {
    std::string kept(kSignature);
    return walkChunks(png, false, &kept) != 0 ? kept : std::string();
}

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace kestrix

#include "tools/kestrix-metafile/EmfConversion.h"

#include "core/Windows1252.h"
#include "tools/kestrix-metafile/EmfHairlines.h"
#include "tools/kestrix-metafile/EmfMappingRepair.h"
#include "tools/kestrix-metafile/EmfRecordTypes.h"
#include "tools/kestrix-metafile/SvgDocument.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <emf2svg.h>
#include <limits>

namespace kestrix {
namespace {

using emf::kComment;
using emf::kEmfPlusSignature;
using emf::kEof;

constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kCreatePen = 38;
constexpr std::uint32_t kExtCreateFontIndirectW = 82;
constexpr std::uint32_t kExtTextOutA = 83;
constexpr std::uint32_t kExtTextOutW = 84;
constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
constexpr std::size_t kMinHeaderSize = 88;
constexpr std::uint32_t kPenTypeMask = 0x000F0000;
constexpr std::uint32_t kPenGeometric = 0x00010000;
constexpr std::uint32_t kTextPdy = 0x2000;
constexpr std::size_t kTextFixedSize = 76;
constexpr std::uint16_t kEmfPlusObject = 0x4008;
constexpr std::uint16_t kEmfPlusDrawString = 0x401C;
constexpr std::uint16_t kEmfPlusFontObject = 6;
// Stands in for '>' in texts while libemf2svg writes them: it wraps them in
// CDATA sections, which a '>' after "]]" would end. A private-use character
// no text needs; one that is already there becomes U+FFFD.
constexpr char16_t kGreaterStandIn = 0xE03E;
constexpr std::string_view kGreaterStandInUtf8 = "\xEE\x80\xBE";

std::uint32_t u32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::int32_t s32(std::string_view bytes, std::size_t at) {
    return static_cast<std::int32_t>(u32(bytes, at));
}

void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Rect {
    double left, top, right, bottom;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

Rect rectAt(std::string_view bytes, std::size_t at) {
    return {static_cast<double>(s32(bytes, at)), static_cast<double>(s32(bytes, at + 4)),
            static_cast<double>(s32(bytes, at + 8)), static_cast<double>(s32(bytes, at + 12))};
}

bool fitsInt32(double value) {
    return std::isfinite(value) && value > std::numeric_limits<std::int32_t>::min() &&
           value < std::numeric_limits<std::int32_t>::max();
}

// The header's frame, in hundredths of a millimetre, turned into the
// device units of its reference device; the bounds when that fails.
Rect pictureFrame(std::string_view header) {
    const Rect bounds = rectAt(header, 8);
    const Rect frame = rectAt(header, 24);
    const double devicePixelsX = s32(header, 72);
    const double devicePixelsY = s32(header, 76);
    const double millimetresX = s32(header, 80);
    const double millimetresY = s32(header, 84);
    if (frame.width() <= 0 || frame.height() <= 0 || devicePixelsX <= 0 || devicePixelsY <= 0 ||
        millimetresX <= 0 || millimetresY <= 0)
        return bounds;
    const double sx = devicePixelsX / (millimetresX * 100);
    const double sy = devicePixelsY / (millimetresY * 100);
    const Rect device{std::round(frame.left * sx), std::round(frame.top * sy),
                      std::round(frame.right * sx), std::round(frame.bottom * sy)};
    if (!fitsInt32(device.left) || !fitsInt32(device.top) || !fitsInt32(device.right) ||
        !fitsInt32(device.bottom) || device.width() < 1 || device.height() < 1)
        return bounds;
    return device;
}

// Whether count units of unitSize bytes from offset lie inside the record.
bool inside(const std::string& record, std::uint32_t offset, std::uint32_t count,
            std::size_t unitSize) {
    return offset >= kMinHeaderSize && offset <= record.size() &&
           (record.size() - offset) / unitSize >= count;
}

void rewriteHeader(std::string& record, double& width, double& height) {
    // libemf2svg reads the description and the pixel format wherever the
    // header says they are; drop them when that is outside the header.
    if (!inside(record, u32(record, 64), u32(record, 60), 2)) {
        put32(record, 60, 0);
        put32(record, 64, 0);
    }
    if (record.size() >= 100 && !inside(record, u32(record, 92), u32(record, 88), 1)) {
        put32(record, 88, 0);
        put32(record, 92, 0);
    }
    const Rect frame = pictureFrame(record);
    put32(record, 8, static_cast<std::uint32_t>(static_cast<std::int32_t>(frame.left)));
    put32(record, 12, static_cast<std::uint32_t>(static_cast<std::int32_t>(frame.top)));
    put32(record, 16, static_cast<std::uint32_t>(static_cast<std::int32_t>(frame.right)));
    put32(record, 20, static_cast<std::uint32_t>(static_cast<std::int32_t>(frame.bottom)));
    width = frame.width();
    height = frame.height();
}

void markWidePen(std::string& record) {
    if (record.size() < 28)
        return;
    const std::uint32_t style = u32(record, 12);
    const std::int32_t width = s32(record, 16);
    if (width > 1 && (style & kPenTypeMask) == 0)
        put32(record, 12, style | kPenGeometric);
}

void blankFontNameMarkup(std::string& record) {
    // ihFont, then LOGFONTW: 28 bytes of metrics, then 32 UTF-16 units.
    constexpr std::size_t kFaceName = 12 + 28;
    for (std::size_t at = kFaceName; at + 1 < record.size() && at < kFaceName + 64; at += 2) {
        const char c = record[at];
        if (record[at + 1] == 0 && (c == '"' || c == '<' || c == '>' || c == '&'))
            record[at] = ' ';
    }
}

void put16(std::string& bytes, std::size_t at, char16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// Hides every '>' of count UTF-16 units at offset behind the stand-in.
void hideGreaterSigns(std::string& record, std::size_t offset, std::size_t count) {
    if (offset > record.size() || (record.size() - offset) / 2 < count)
        return;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = offset + 2 * i;
        const char16_t c = u16(record, at);
        if (c == u'>')
            put16(record, at, kGreaterStandIn);
        else if (c == kGreaterStandIn)
            put16(record, at, u'\uFFFD');
    }
}

void hideTextGreaterSigns(std::string& record) {
    if (record.size() >= kTextFixedSize)
        hideGreaterSigns(record, u32(record, 48), u32(record, 44));
}

// Blanks markup characters in UTF-16 text, at either alignment.
void blankUtf16Markup(std::string& record, std::size_t from, std::size_t to) {
    for (std::size_t at = from; at + 1 < to && at + 1 < record.size(); ++at) {
        const char c = record[at];
        if (record[at + 1] == 0 && (c == '"' || c == '<' || c == '>' || c == '&'))
            record[at] = ' ';
    }
}

// The EMF+ records inside a comment: texts libemf2svg may write, and font
// family names it writes into attributes unescaped.
void prepareEmfPlus(std::string& record) {
    if (record.size() < 16 || u32(record, 12) != kEmfPlusSignature)
        return;
    const std::size_t end = std::min<std::size_t>(record.size(), 12 + std::size_t{u32(record, 8)});
    for (std::size_t at = 16; at + 12 <= end;) {
        const std::uint16_t type = u16(record, at);
        const std::uint16_t flags = u16(record, at + 2);
        const std::uint32_t size = u32(record, at + 4);
        if (size < 12 || size > end - at)
            return;
        const std::size_t data = at + 12;
        if (type == kEmfPlusDrawString && size >= 40)
            hideGreaterSigns(record, data + 28,
                             std::min<std::size_t>(u32(record, data + 8), (size - 40) / 2));
        else if (type == kEmfPlusObject && ((flags >> 8) & 0x7F) == kEmfPlusFontObject)
            blankUtf16Markup(record, data, at + size);
        at += size;
    }
}

// An ANSI text record as the Unicode one. Returns false when the record's
// own offsets point outside it.
bool widenText(std::string& record) {
    if (record.size() < kTextFixedSize)
        return false;
    const std::uint32_t count = u32(record, 44);
    const std::uint32_t stringOffset = u32(record, 48);
    const std::uint32_t options = u32(record, 52);
    const std::uint32_t dxOffset = u32(record, 72);
    const std::size_t size = record.size();
    if (count > size || stringOffset > size || size - stringOffset < count)
        return false;
    const std::size_t dxBytes = static_cast<std::size_t>(count) * ((options & kTextPdy) ? 8 : 4);
    const bool hasDx = dxOffset != 0;
    if (hasDx && (dxOffset > size || size - dxOffset < dxBytes))
        return false;

    std::string widened = record.substr(0, kTextFixedSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        const char32_t c =
            windows1252ToUnicode(static_cast<unsigned char>(record[stringOffset + i]));
        widened += static_cast<char>(c & 0xFF);
        widened += static_cast<char>((c >> 8) & 0xFF);
    }
    widened.append((4 - widened.size() % 4) % 4, '\0');
    put32(widened, 48, static_cast<std::uint32_t>(kTextFixedSize));
    if (hasDx) {
        put32(widened, 72, static_cast<std::uint32_t>(widened.size()));
        widened.append(record, dxOffset, dxBytes);
    }
    put32(widened, 0, kExtTextOutW);
    put32(widened, 4, static_cast<std::uint32_t>(widened.size()));
    record = std::move(widened);
    return true;
}

} // namespace

bool looksLikeEmf(std::string_view bytes) {
    return bytes.size() >= kMinHeaderSize && u32(bytes, 0) == kHeader &&
           u32(bytes, 40) == kSignature;
}

std::string prepareEmf(std::string_view bytes, double& width, double& height) {
    if (!looksLikeEmf(bytes))
        return {};
    std::string prepared;
    prepared.reserve(bytes.size());
    std::size_t offset = 0;
    bool ended = false;
    while (!ended && bytes.size() - offset >= 8) {
        const std::uint32_t type = u32(bytes, offset);
        const std::uint32_t size = u32(bytes, offset + 4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - offset)
            return {};
        std::string record(bytes.substr(offset, size));
        if (offset == 0) {
            if (size < kMinHeaderSize)
                return {};
            rewriteHeader(record, width, height);
        } else if (type == kHeader) {
            return {};
        } else if (type == kCreatePen) {
            markWidePen(record);
        } else if (type == kExtCreateFontIndirectW) {
            blankFontNameMarkup(record);
        } else if (type == kExtTextOutA) {
            if (!widenText(record))
                return {};
            hideTextGreaterSigns(record);
        } else if (type == kExtTextOutW) {
            hideTextGreaterSigns(record);
        } else if (type == kComment) {
            prepareEmfPlus(record);
        } else if (type == kEof) {
            ended = true;
        }
        prepared += record;
        offset += size;
    }
    if (!ended || width < 1 || height < 1)
        return {};
    put32(prepared, 48, static_cast<std::uint32_t>(prepared.size()));
    return prepared;
}

MetafileConversion convertEmf(std::string_view bytes) {
    double width = 0;
    double height = 0;
    std::string prepared = prepareEmf(bytes, width, height);
    if (prepared.empty())
        return {std::string(), "the enhanced metafile is damaged or truncated"};
    prepared = EmfMappingRepair::apply(prepared);

    generatorOptions options{};
    char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* out = nullptr;
    size_t length = 0;
    const int converted = emf2svg(prepared.data(), prepared.size(), &out, &length, &options);
    std::string document = out != nullptr ? std::string(out, length) : std::string();
    std::free(out);
    document = withHairlines(cdataAsText(document, kGreaterStandInUtf8));

    if (converted == 0 || document.empty())
        return {std::string(), "libemf2svg could not convert the metafile"};
    if (!drawsSomething(document))
        return {std::string(), "the metafile draws nothing"};
    std::string svg = withSvgRoot(document, width, height);
    if (svg.empty())
        return {std::string(), "libemf2svg wrote no SVG document"};
    return {std::move(svg), std::string()};
}

} // namespace kestrix

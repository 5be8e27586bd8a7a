#include "tools/kestrix-metafile/WmfMappings.h"

#include <algorithm>
#include <cstdint>

namespace kestrix {
namespace {

constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kSetMapMode = 0x0103;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kSetViewportOrg = 0x020D;
constexpr std::uint16_t kSetViewportExt = 0x020E;
constexpr std::uint16_t kOffsetWindowOrg = 0x020F;
constexpr std::uint16_t kOffsetViewportOrg = 0x0211;
constexpr std::uint16_t kScaleWindowExt = 0x0410;
constexpr std::uint16_t kScaleViewportExt = 0x0412;
// A function no metafile record has; libwmf skips records it does not know.
constexpr std::uint16_t kIgnored = 0x00FE;
// Saved states beyond this are not kept; no drawing nests that deep.
constexpr std::size_t kMaxSaved = 4096;

std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

double s16(std::string_view bytes, std::size_t at) {
    return static_cast<std::int16_t>(u16(bytes, at));
}

// The records store y before x.
WmfPair pairAt(std::string_view bytes, std::size_t at) {
    return {s16(bytes, at + 2), s16(bytes, at)};
}

// SCALE*EXT: y denominator, y numerator, x denominator, x numerator.
void scale(WmfPair& extent, std::string_view bytes, std::size_t at) {
    const double yDenominator = s16(bytes, at);
    const double yNumerator = s16(bytes, at + 2);
    const double xDenominator = s16(bytes, at + 4);
    const double xNumerator = s16(bytes, at + 6);
    if (xDenominator != 0 && yDenominator != 0)
        extent = {extent.x * xNumerator / xDenominator, extent.y * yNumerator / yDenominator};
}

} // namespace

bool WmfMapping::operator==(const WmfMapping& other) const {
    return mode == other.mode && windowOrigin == other.windowOrigin &&
           windowExtent == other.windowExtent && viewportOrigin == other.viewportOrigin &&
           viewportExtent == other.viewportExtent && windowOriginSet == other.windowOriginSet &&
           windowExtentSet == other.windowExtentSet && viewportExtentSet == other.viewportExtentSet;
}

WmfMappings::WmfMappings(std::string_view bytes, std::size_t firstRecord) {
    WmfMapping current;
    std::vector<WmfMapping> saved;
    std::size_t record = 0;
    for (std::size_t at = firstRecord; at <= bytes.size() && bytes.size() - at >= 6; ++record) {
        const std::uint64_t words = u16(bytes, at) | std::uint64_t{u16(bytes, at + 2)} << 16;
        const std::uint16_t function = u16(bytes, at + 4);
        if ((words == 3 && function == 0) || words < 3 || words * 2 > bytes.size() - at)
            break;
        const std::size_t parameters = at + 6;
        const std::size_t count = static_cast<std::size_t>(words - 3);
        const WmfMapping before = current;
        if (function == kSetViewportOrg || function == kOffsetViewportOrg)
            m_originRecords.push_back(at);
        if (function == kSetMapMode && count >= 1) {
            current.mode = u16(bytes, parameters);
        } else if (function == kSetWindowOrg && count >= 2) {
            current.windowOrigin = pairAt(bytes, parameters);
            current.windowOriginSet = true;
        } else if (function == kOffsetWindowOrg && count >= 2) {
            const WmfPair offset = pairAt(bytes, parameters);
            current.windowOrigin = {current.windowOrigin.x + offset.x,
                                    current.windowOrigin.y + offset.y};
            current.windowOriginSet = true;
        } else if (function == kSetWindowExt && count >= 2) {
            const WmfPair extent = pairAt(bytes, parameters);
            // The drawing interface refuses an empty window.
            if (extent.x != 0 && extent.y != 0) {
                current.windowExtent = extent;
                current.windowExtentSet = true;
            }
        } else if (function == kScaleWindowExt && count >= 4 && current.windowExtentSet) {
            scale(current.windowExtent, bytes, parameters);
        } else if (function == kSetViewportOrg && count >= 2) {
            current.viewportOrigin = pairAt(bytes, parameters);
        } else if (function == kOffsetViewportOrg && count >= 2) {
            const WmfPair offset = pairAt(bytes, parameters);
            current.viewportOrigin = {current.viewportOrigin.x + offset.x,
                                      current.viewportOrigin.y + offset.y};
        } else if (function == kSetViewportExt && count >= 2) {
            const WmfPair extent = pairAt(bytes, parameters);
            if (extent.x != 0 && extent.y != 0) {
                current.viewportExtent = extent;
                current.viewportExtentSet = true;
            }
        } else if (function == kScaleViewportExt && count >= 4 && current.viewportExtentSet) {
            scale(current.viewportExtent, bytes, parameters);
        } else if (function == kSaveDc) {
            if (saved.size() < kMaxSaved)
                saved.push_back(current);
        } else if (function == kRestoreDc && count >= 1) {
            // Negative: that many states back; positive: that saved state.
            const double which = s16(bytes, parameters);
            const double keep = which < 0 ? static_cast<double>(saved.size()) + which : which - 1;
            if (keep >= 0 && keep < static_cast<double>(saved.size())) {
                current = saved[static_cast<std::size_t>(keep)];
                saved.resize(static_cast<std::size_t>(keep));
            }
        }
        if (!(before == current))
            m_changes.push_back({record, current});
        at += static_cast<std::size_t>(words) * 2;
    }
}

void WmfMappings::hideOriginsFromLibwmf(std::vector<unsigned char>& bytes) const {
    for (const std::size_t at : m_originRecords) {
        if (at + 6 <= bytes.size()) {
            bytes[at + 4] = kIgnored & 0xFF;
            bytes[at + 5] = kIgnored >> 8;
        }
    }
}

const WmfMapping& WmfMappings::at(std::size_t record) const {
    const auto after = std::upper_bound(
        m_changes.begin(), m_changes.end(), record,
        [](std::size_t wanted, const Change& change) { return wanted < change.record; });
    return after == m_changes.begin() ? m_initial : std::prev(after)->mapping;
}

} // namespace kestrix

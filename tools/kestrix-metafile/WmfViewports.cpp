#include "WmfViewports.h"

#include <algorithm>
#include <cstdint>

namespace kestrix {
namespace {

constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSetViewportOrg = 0x020D;
constexpr std::uint16_t kSetViewportExt = 0x020E;
constexpr std::uint16_t kOffsetViewportOrg = 0x0211;
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

} // namespace

WmfViewports::WmfViewports(std::string_view bytes, std::size_t firstRecord) {
    WmfViewport current;
    std::vector<WmfViewport> saved;
    std::size_t record = 0;
    for (std::size_t at = firstRecord; at <= bytes.size() && bytes.size() - at >= 6; ++record) {
        const std::uint64_t words = u16(bytes, at) | std::uint64_t{u16(bytes, at + 2)} << 16;
        const std::uint16_t function = u16(bytes, at + 4);
        if ((words == 3 && function == 0) || words < 3 || words * 2 > bytes.size() - at)
            break;
        const std::size_t parameters = at + 6;
        const std::size_t count = static_cast<std::size_t>(words - 3);
        const WmfViewport before = current;
        if (function == kSetViewportOrg || function == kOffsetViewportOrg)
            m_originRecords.push_back(at);
        if (function == kSetViewportOrg && count >= 2) {
            current.originY = s16(bytes, parameters);
            current.originX = s16(bytes, parameters + 2);
        } else if (function == kOffsetViewportOrg && count >= 2) {
            current.originY += s16(bytes, parameters);
            current.originX += s16(bytes, parameters + 2);
        } else if (function == kSetViewportExt && count >= 2) {
            current.extentY = s16(bytes, parameters);
            current.extentX = s16(bytes, parameters + 2);
            current.extentSet = true;
        } else if (function == kScaleViewportExt && count >= 4 && current.extentSet) {
            const double yDenominator = s16(bytes, parameters);
            const double yNumerator = s16(bytes, parameters + 2);
            const double xDenominator = s16(bytes, parameters + 4);
            const double xNumerator = s16(bytes, parameters + 6);
            if (xDenominator != 0 && yDenominator != 0) {
                current.extentX = current.extentX * xNumerator / xDenominator;
                current.extentY = current.extentY * yNumerator / yDenominator;
            }
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
        const bool changed =
            before.originX != current.originX || before.originY != current.originY ||
            before.extentX != current.extentX || before.extentY != current.extentY ||
            before.extentSet != current.extentSet;
        if (changed)
            m_changes.push_back({record, current});
        at += static_cast<std::size_t>(words) * 2;
    }
}

void WmfViewports::hideOriginsFromLibwmf(std::vector<unsigned char>& bytes) const {
    for (const std::size_t at : m_originRecords) {
        if (at + 6 <= bytes.size()) {
            bytes[at + 4] = kIgnored & 0xFF;
            bytes[at + 5] = kIgnored >> 8;
        }
    }
}

const WmfViewport& WmfViewports::at(std::size_t record) const {
    const auto after = std::upper_bound(
        m_changes.begin(), m_changes.end(), record,
        [](std::size_t wanted, const Change& change) { return wanted < change.record; });
    return after == m_changes.begin() ? m_initial : std::prev(after)->viewport;
}

} // namespace kestrix

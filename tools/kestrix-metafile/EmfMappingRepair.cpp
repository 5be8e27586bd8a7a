#include "tools/kestrix-metafile/EmfMappingRepair.h"

#include "tools/kestrix-metafile/EmfRecordTypes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kestrix {
namespace {

using emf::kComment;
using emf::kEmfPlusSignature;
using emf::kEof;

constexpr std::uint32_t kSetWindowExtEx = 9;
constexpr std::uint32_t kSetWindowOrgEx = 10;
constexpr std::uint32_t kSetViewportExtEx = 11;
constexpr std::uint32_t kSetViewportOrgEx = 12;
constexpr std::uint32_t kSetMapMode = 17;
constexpr std::uint32_t kScaleViewportExtEx = 31;
constexpr std::uint32_t kScaleWindowExtEx = 32;
constexpr std::uint32_t kSaveDc = 33;
constexpr std::uint32_t kRestoreDc = 34;
constexpr std::uint32_t kSetWorldTransform = 35;
constexpr std::uint32_t kModifyWorldTransform = 36;
constexpr std::uint32_t kEllipse = 42;
constexpr std::uint32_t kRectangle = 43;
constexpr std::uint32_t kRoundRect = 44;

constexpr std::uint32_t kText = 1;
constexpr std::uint32_t kLoMetric = 2;
constexpr std::uint32_t kTwips = 6;
constexpr std::uint32_t kIsotropic = 7;
constexpr std::uint32_t kAnisotropic = 8;
// Millimetres per logical unit of the fixed modes, from MM_LOMETRIC on.
constexpr double kFixedMillimetres[] = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
constexpr double kScreenPixelsPerMm = 96 / 25.4;
// Saved states beyond this are not kept; no drawing nests that deep.
constexpr std::size_t kMaxSaved = 4096;
constexpr std::size_t kHeaderRecords = 52;
constexpr std::size_t kHeaderBytes = 48;
constexpr std::size_t kSlack = 64 * 1024;

std::uint32_t u32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

double s32(std::string_view bytes, std::size_t at) {
    return static_cast<std::int32_t>(u32(bytes, at));
}

double f32(std::string_view bytes, std::size_t at) {
    const std::uint32_t bits = u32(bytes, at);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void put32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putAt(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putFloat(std::string& bytes, double value) {
    const auto single = static_cast<float>(value);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    put32(bytes, bits);
}

std::string recordOf(std::uint32_t type, std::int32_t first, std::int32_t second) {
    std::string out;
    put32(out, type);
    put32(out, 16);
    put32(out, static_cast<std::uint32_t>(first));
    put32(out, static_cast<std::uint32_t>(second));
    return out;
}

using Affine = EmfMappingRepair::Affine;

// The transform that applies first, then second.
Affine then(const Affine& first, const Affine& second) {
    return {first.a * second.a + first.b * second.c,
            first.a * second.b + first.b * second.d,
            first.c * second.a + first.d * second.c,
            first.c * second.b + first.d * second.d,
            first.e * second.a + first.f * second.c + second.e,
            first.e * second.b + first.f * second.d + second.f};
}

bool finite(const Affine& m) {
    return std::isfinite(m.a) && std::isfinite(m.b) && std::isfinite(m.c) && std::isfinite(m.d) &&
           std::isfinite(m.e) && std::isfinite(m.f);
}

bool same(const Affine& x, const Affine& y) {
    const auto close = [](double p, double q) {
        return std::abs(p - q) <= 1e-9 * std::max({1.0, std::abs(p), std::abs(q)});
    };
    return close(x.a, y.a) && close(x.b, y.b) && close(x.c, y.c) && close(x.d, y.d) &&
           close(x.e, y.e) && close(x.f, y.f);
}

bool isMappingRecord(std::uint32_t type) {
    return type == kSetWindowExtEx || type == kSetWindowOrgEx || type == kSetViewportExtEx ||
           type == kSetViewportOrgEx || type == kSetMapMode || type == kScaleViewportExtEx ||
           type == kScaleWindowExtEx || type == kSetWorldTransform || type == kModifyWorldTransform;
}

double pixelsPerMm(std::string_view header, std::size_t pixels, std::size_t millimetres) {
    if (header.size() < millimetres + 4)
        return kScreenPixelsPerMm;
    const double ratio = s32(header, pixels) / s32(header, millimetres);
    return std::isfinite(ratio) && ratio > 0 ? ratio : kScreenPixelsPerMm;
}

} // namespace

EmfMappingRepair::EmfMappingRepair(std::string_view header)
    : m_frameWidth(s32(header, 16) - s32(header, 8)),
      m_frameHeight(s32(header, 20) - s32(header, 12)), m_pixelsPerMmX(pixelsPerMm(header, 72, 80)),
      m_pixelsPerMmY(pixelsPerMm(header, 76, 84)) {}

std::string EmfMappingRepair::apply(std::string_view prepared) {
    if (prepared.size() < 8)
        return std::string(prepared);
    const std::size_t headerSize = u32(prepared, 4);
    if (headerSize < 88 || headerSize > prepared.size())
        return std::string(prepared);
    bool maps = false;
    for (std::size_t at = headerSize; prepared.size() - at >= 8;) {
        const std::uint32_t type = u32(prepared, at);
        const std::uint32_t size = u32(prepared, at + 4);
        if (size < 8 || size > prepared.size() - at)
            return std::string(prepared);
        if (type == kComment && size >= 16 && u32(prepared, at + 12) == kEmfPlusSignature)
            return std::string(prepared);
        maps = maps || isMappingRecord(type);
        at += size;
    }
    if (!maps)
        return std::string(prepared);

    EmfMappingRepair repair(prepared.substr(0, headerSize));
    std::string out(prepared.substr(0, headerSize));
    repair.m_records = 1;
    for (std::size_t at = headerSize; prepared.size() - at >= 8;) {
        const std::uint32_t size = u32(prepared, at + 4);
        repair.play(prepared.substr(at, size), out);
        at += size;
    }
    // Each mapping change costs a few records before the next drawing; a
    // metafile of nothing but changes must not grow without bound.
    if (out.size() > 2 * prepared.size() + kSlack)
        return std::string(prepared);
    if (out.size() >= 56) {
        putAt(out, kHeaderBytes, static_cast<std::uint32_t>(out.size()));
        putAt(out, kHeaderRecords, repair.m_records);
    }
    return out;
}

void EmfMappingRepair::play(std::string_view record, std::string& out) {
    const std::uint32_t type = u32(record, 0);
    if (isMappingRecord(type)) {
        m_dirty = changeState(type, record) || m_dirty;
        return;
    }
    if (type == kSaveDc) {
        if (m_saved.size() < kMaxSaved)
            m_saved.push_back(m_state);
    } else if (type == kRestoreDc && record.size() >= 12) {
        // libemf2svg restores a world transform of its own choosing and
        // keeps its group open: say again what holds.
        const double relative = s32(record, 8);
        if (relative < 0 && -relative <= static_cast<double>(m_saved.size())) {
            const std::size_t keep = m_saved.size() - static_cast<std::size_t>(-relative);
            m_state = m_saved[keep];
            m_saved.resize(keep);
        }
        m_dirty = true;
        m_worldUnknown = true;
        out += record;
        ++m_records;
        return;
    }
    if (type != kEof)
        flush(out);
    std::string copy(record);
    normaliseBox(type, copy);
    out += copy;
    ++m_records;
}

bool EmfMappingRepair::changeState(std::uint32_t type, std::string_view record) {
    State& s = m_state;
    switch (type) {
    case kSetMapMode:
        if (record.size() < 12)
            return false;
        if (const std::uint32_t mode = u32(record, 8); mode >= kText && mode <= kAnisotropic)
            s.mode = mode;
        return true;
    case kSetWindowOrgEx:
    case kSetViewportOrgEx:
    case kSetWindowExtEx:
    case kSetViewportExtEx: {
        if (record.size() < 16)
            return false;
        const double x = s32(record, 8);
        const double y = s32(record, 12);
        if (type == kSetWindowOrgEx) {
            s.windowOriginX = x;
            s.windowOriginY = y;
        } else if (type == kSetViewportOrgEx) {
            s.viewportOriginX = x;
            s.viewportOriginY = y;
        } else if (x == 0 || y == 0) {
            return false; // the drawing interface refuses an empty extent
        } else if (type == kSetWindowExtEx) {
            s.windowExtentX = x;
            s.windowExtentY = y;
            s.windowExtentSet = true;
        } else {
            s.viewportExtentX = x;
            s.viewportExtentY = y;
            s.viewportExtentSet = true;
        }
        return true;
    }
    case kScaleWindowExtEx:
    case kScaleViewportExtEx: {
        if (record.size() < 24)
            return false;
        const double xNumerator = s32(record, 8);
        const double xDenominator = s32(record, 12);
        const double yNumerator = s32(record, 16);
        const double yDenominator = s32(record, 20);
        if (xDenominator == 0 || yDenominator == 0 || xNumerator == 0 || yNumerator == 0)
            return false;
        const bool window = type == kScaleWindowExtEx;
        double& x = window ? s.windowExtentX : s.viewportExtentX;
        double& y = window ? s.windowExtentY : s.viewportExtentY;
        bool& set = window ? s.windowExtentSet : s.viewportExtentSet;
        if (!set) {
            x = m_frameWidth;
            y = m_frameHeight;
            set = true;
        }
        x = x * xNumerator / xDenominator;
        y = y * yNumerator / yDenominator;
        return true;
    }
    case kSetWorldTransform:
    case kModifyWorldTransform: {
        if (record.size() < (type == kSetWorldTransform ? 32u : 36u))
            return false;
        const Affine given{f32(record, 8),  f32(record, 12), f32(record, 16),
                           f32(record, 20), f32(record, 24), f32(record, 28)};
        const std::uint32_t how = type == kSetWorldTransform ? 4 : u32(record, 32);
        Affine world = s.world;
        if (how == 1)
            world = Affine{};
        else if (how == 2)
            world = then(given, s.world);
        else if (how == 3)
            world = then(s.world, given);
        else if (how == 4)
            world = given;
        // A transform that flattens the drawing is refused by the
        // drawing interface, and so is one that is not a number.
        if (!finite(world) || world.a * world.d - world.b * world.c == 0)
            return false;
        s.world = world;
        return true;
    }
    default:
        return false;
    }
}

EmfMappingRepair::Affine EmfMappingRepair::pageMapping() const {
    const State& s = m_state;
    double scaleX = 1;
    double scaleY = 1;
    if (s.mode >= kLoMetric && s.mode <= kTwips) {
        const double millimetres = kFixedMillimetres[s.mode - kLoMetric];
        scaleX = millimetres * m_pixelsPerMmX;
        scaleY = -millimetres * m_pixelsPerMmY;
    } else if (s.mode == kIsotropic || s.mode == kAnisotropic) {
        const double windowX = s.windowExtentSet ? s.windowExtentX : m_frameWidth;
        const double windowY = s.windowExtentSet ? s.windowExtentY : m_frameHeight;
        const double viewportX = s.viewportExtentSet ? s.viewportExtentX : m_frameWidth;
        const double viewportY = s.viewportExtentSet ? s.viewportExtentY : m_frameHeight;
        scaleX = viewportX / windowX;
        scaleY = viewportY / windowY;
        if (s.mode == kIsotropic) {
            const double smaller = std::min(std::abs(scaleX), std::abs(scaleY));
            scaleX = std::copysign(smaller, scaleX);
            scaleY = std::copysign(smaller, scaleY);
        }
    }
    return {scaleX,
            0,
            0,
            scaleY,
            s.viewportOriginX - s.windowOriginX * scaleX,
            s.viewportOriginY - s.windowOriginY * scaleY};
}

void EmfMappingRepair::flush(std::string& out) {
    if (!m_dirty)
        return;
    m_dirty = false;
    const Affine page = pageMapping();
    const Affine device = then(m_state.world, page);
    if (!finite(device))
        return;
    // libemf2svg keeps the signs of the page scale (so that texts stand
    // upright and follow its own placement rules) and draws inside a
    // group of the rest.
    const double signX = page.a < 0 ? -1 : 1;
    const double signY = page.d < 0 ? -1 : 1;
    const bool signsChanged = signX != m_signXSent || signY != m_signYSent;
    if (signsChanged) {
        if (!m_anisotropicSent) {
            std::string mode;
            put32(mode, kSetMapMode);
            put32(mode, 12);
            put32(mode, kAnisotropic);
            out += mode;
            out += recordOf(kSetWindowExtEx, 1, 1);
            m_records += 2;
            m_anisotropicSent = true;
        }
        out += recordOf(kSetViewportExtEx, static_cast<std::int32_t>(signX),
                        static_cast<std::int32_t>(signY));
        ++m_records;
        m_signXSent = signX;
        m_signYSent = signY;
    }
    const Affine group = then(Affine{signX, 0, 0, signY, 0, 0}, device);
    if (!signsChanged && !m_worldUnknown && same(group, m_worldSent))
        return;
    std::string transform;
    put32(transform, kSetWorldTransform);
    put32(transform, 32);
    // libemf2svg scales the offsets by its page scale, our signs.
    for (const double value :
         {group.a, group.b, group.c, group.d, group.e / signX, group.f / signY})
        putFloat(transform, value);
    out += transform;
    ++m_records;
    m_worldSent = group;
    m_worldUnknown = false;
}

void EmfMappingRepair::normaliseBox(std::uint32_t type, std::string& record) const {
    // libemf2svg writes a box as it is given; under a negative page scale
    // its width or height comes out negative and the shape is not drawn.
    if ((type != kRectangle && type != kEllipse && type != kRoundRect) || record.size() < 24)
        return;
    const auto order = [&record](std::size_t first, std::size_t second, double sign) {
        const double a = s32(record, first);
        const double b = s32(record, second);
        if ((sign > 0 && a > b) || (sign < 0 && a < b)) {
            putAt(record, first, static_cast<std::uint32_t>(static_cast<std::int32_t>(b)));
            putAt(record, second, static_cast<std::uint32_t>(static_cast<std::int32_t>(a)));
        }
    };
    order(8, 16, m_signXSent);
    order(12, 20, m_signYSent);
}

} // namespace kestrix

#include "tools/kestrix-metafile/WmfConversion.h"

#include "tools/kestrix-metafile/SvgDocument.h"
#include "tools/kestrix-metafile/WmfMappings.h"
#include "tools/kestrix-metafile/WmfSvgDevice.h"

#include <cstdint>
#include <libwmf/api.h>
#include <optional>
#include <string>
#include <vector>

namespace kestrix {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::size_t kHeaderSize = 18;

std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::int16_t s16(std::string_view bytes, std::size_t at) {
    return static_cast<std::int16_t>(u16(bytes, at));
}

std::uint32_t u32(std::string_view bytes, std::size_t at) {
    return u16(bytes, at) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

MetafileConversion failed(const char* why) {
    return {std::string(), why};
}

// Owns one libwmf instance.
class LibraryScope {
public:
    LibraryScope() = default;
    ~LibraryScope() {
        if (m_api != nullptr)
            wmf_api_destroy(m_api);
    }
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;

    wmfAPI*& api() { return m_api; }

private:
    wmfAPI* m_api = nullptr;
};

} // namespace

bool looksLikeWmf(std::string_view bytes) {
    if (bytes.size() >= kPlaceableHeaderSize && u32(bytes, 0) == kPlaceableKey)
        return true;
    if (bytes.size() < kHeaderSize)
        return false;
    const std::uint16_t type = u16(bytes, 0);
    const std::uint16_t headerWords = u16(bytes, 2);
    const std::uint16_t version = u16(bytes, 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

MetafileConversion convertWmf(std::string_view bytes) {
    if (!looksLikeWmf(bytes))
        return failed("not a Windows metafile");
    // libwmf allocates a buffer of the largest record size the header
    // claims before it reads a record; no record can be larger than the file.
    const std::size_t header = u32(bytes, 0) == kPlaceableKey ? kPlaceableHeaderSize : 0;
    if (bytes.size() < header + kHeaderSize ||
        std::uint64_t{u32(bytes, header + 12)} * 2 > bytes.size())
        return failed("the metafile is damaged");

    const bool placeable = u32(bytes, 0) == kPlaceableKey;
    std::optional<WmfRect> frame;
    if (placeable) {
        frame = WmfRect{static_cast<double>(s16(bytes, 6)), static_cast<double>(s16(bytes, 8)),
                        static_cast<double>(s16(bytes, 10)), static_cast<double>(s16(bytes, 12))};
        if (!frame->usable())
            return failed("the placeable header has an empty frame");
    }
    const WmfMappings mappings(bytes, header + kHeaderSize);
    WmfSvgDevice device(frame, mappings);

    // The device is built before libwmf so that it outlives the library.
    LibraryScope scope;
    wmfAPI_Options options{};
    options.function = WmfSvgDevice::install;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&scope.api(), flags, &options) != wmf_E_None)
        return failed("libwmf could not start");
    wmfAPI* api = scope.api();

    // libwmf reads from the buffer and never writes to it.
    std::vector<unsigned char> input(bytes.begin(), bytes.end());
    mappings.hideOriginsFromLibwmf(input);
    if (wmf_mem_open(api, input.data(), static_cast<long>(input.size())) != wmf_E_None)
        return failed("libwmf could not open the metafile");
    wmfD_Rect ink{};
    if (wmf_scan(api, 0, &ink) != wmf_E_None)
        return failed("the metafile is damaged");
    wmf_status_function(api, &device, WmfSvgDevice::recordPlayed);
    wmfD_Rect played{};
    if (wmf_play(api, 0, &played) != wmf_E_None)
        return failed("the metafile is damaged");

    const std::string svg = device.document();
    if (svg.empty() || !drawsSomething(svg))
        return failed("the metafile draws nothing");
    return {svg, std::string()};
}

} // namespace kestrix

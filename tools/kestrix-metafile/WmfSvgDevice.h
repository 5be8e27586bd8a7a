#pragma once

#include "tools/kestrix-metafile/WmfMappings.h"

#include <libwmf/ipa.h>
#include <memory>
#include <optional>
#include <string>

namespace kestrix {

// A logical rectangle of a metafile.
struct WmfRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double width() const;
    double height() const;
    // At least one unit each way, finite, and within what 16-bit
    // coordinates can span.
    bool usable() const;
};

// Our own device layer for libwmf: it writes the shapes libwmf plays as SVG
// in the picture's frame, with exact #rrggbb colours, texts escaped, and the
// metafile's mapping mode, window and viewport (origin and extent, with
// their signs, saved and restored with the rest of the state) applied as
// the drawing interface applies them. libwmf's device points are taken back
// to logical units and mapped again by the device itself.
//
// The frame is the placeable header's box, or else the window in effect at
// the first shape; the picture's units are the box's units. The player's
// device is the frame: the window, the box until the metafile sets its own,
// is drawn onto it. The metafile's own viewport is in picture units: its
// origin moves the drawing within the frame and its extent scales it.
class WmfSvgDevice {
public:
    WmfSvgDevice(std::optional<WmfRect> placeableFrame, const WmfMappings& mappings);
    ~WmfSvgDevice();
    WmfSvgDevice(const WmfSvgDevice&) = delete;
    WmfSvgDevice& operator=(const WmfSvgDevice&) = delete;

    // For wmfAPI_Options::function: points libwmf's drawing hooks at the
    // device that is alive on this thread.
    static void install(wmfAPI* api);
    // For wmf_status_function: counts the records as libwmf plays them.
    static int recordPlayed(void* device, float fraction);

    // The SVG document of what was drawn, or an empty text when nothing was.
    std::string document() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace kestrix

#include "tools/kestrix-metafile/EmfHairlines.h"

namespace kestrix {

std::string withHairlines(std::string_view svg) {
    // What libemf2svg writes for a pen one unit wide, and nothing else does.
    constexpr std::string_view kOneUnit = " stroke-width=\"1.0000\" ";
    constexpr std::string_view kHairline =
        " stroke-width=\"1.0000\" vector-effect=\"non-scaling-stroke\" ";
    std::string out;
    out.reserve(svg.size());
    std::size_t at = 0;
    for (std::size_t found = svg.find(kOneUnit); found != std::string_view::npos;
         found = svg.find(kOneUnit, at)) {
        out.append(svg.substr(at, found - at));
        out.append(kHairline);
        at = found + kOneUnit.size();
    }
    out.append(svg.substr(at));
    return out;
}

} // namespace kestrix

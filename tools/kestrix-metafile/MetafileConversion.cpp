#include "tools/kestrix-metafile/MetafileConversion.h"

#include "svgcheck/SvgAllowList.h"
#include "tools/kestrix-metafile/EmbeddedImages.h"
#include "tools/kestrix-metafile/EmfConversion.h"
#include "tools/kestrix-metafile/WmfConversion.h"

namespace kestrix {

MetafileConversion convertMetafile(std::string_view bytes) {
    if (bytes.size() > kMaxMetafileBytes)
        return {std::string(), "the metafile is too large"};
    // The content decides, not the extension: a picture saved as .wmf that
    // is really an enhanced metafile still shows.
    MetafileConversion result{std::string(), "not a metafile"};
    if (looksLikeEmf(bytes))
        result = convertEmf(bytes);
    else if (looksLikeWmf(bytes))
        result = convertWmf(bytes);
    if (result.ok())
        result = withPlainPngImages(result.svg);
    // The libraries write what the metafile makes them write; nothing but
    // what our conversions produce leaves this process.
    if (result.ok()) {
        const std::string why = svgAllowListViolation(result.svg);
        if (!why.empty())
            return {std::string(), "the SVG document holds " + why};
    }
    return result;
}

} // namespace kestrix

#include "MetafileConversion.h"

#include "EmfConversion.h"
#include "WmfConversion.h"

namespace kestrix {

MetafileConversion convertMetafile(std::string_view bytes) {
    if (bytes.size() > kMaxMetafileBytes)
        return {std::string(), "the metafile is too large"};
    // The content decides, not the extension: a picture saved as .wmf that
    // is really an enhanced metafile still shows.
    if (looksLikeEmf(bytes))
        return convertEmf(bytes);
    if (looksLikeWmf(bytes))
        return convertWmf(bytes);
    return {std::string(), "not a metafile"};
}

} // namespace kestrix

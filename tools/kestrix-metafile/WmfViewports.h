#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrix {

// The viewport a Windows metafile sets for itself, in device units.
struct WmfViewport {
    double originX = 0;
    double originY = 0;
    double extentX = 0;
    double extentY = 0;
    bool extentSet = false;
};

// The viewport in effect from each record on, as the metafile's own
// SETVIEWPORTORG, SETVIEWPORTEXT, OFFSETVIEWPORTORG, SCALEVIEWPORTEXT,
// SAVEDC and RESTOREDC records leave it. libwmf subtracts the viewport
// origin where it should add it, and never saves or restores the viewport.
class WmfViewports {
public:
    // Walks the records from the first one (after the headers) as libwmf
    // does, up to the end record or the first record that does not fit.
    WmfViewports(std::string_view bytes, std::size_t firstRecord);

    // The viewport while the record with this index (from 0) plays.
    const WmfViewport& at(std::size_t record) const;

    // Turns the records that move the viewport origin in this copy of the
    // same bytes into records libwmf ignores, so that only we apply it.
    void hideOriginsFromLibwmf(std::vector<unsigned char>& bytes) const;

private:
    struct Change {
        std::size_t record;
        WmfViewport viewport;
    };
    std::vector<Change> m_changes;
    std::vector<std::size_t> m_originRecords;
    WmfViewport m_initial;
};

} // namespace kestrix

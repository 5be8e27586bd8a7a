#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrix {

// A pair of values along x and y, as a metafile record gives them.
struct WmfPair {
    double x = 0;
    double y = 0;

    bool operator==(const WmfPair& other) const { return x == other.x && y == other.y; }
};

// How a Windows metafile maps its logical units at one record: its mapping
// mode, window and viewport. What the metafile never set is marked so, for
// the player to put its own defaults in (a placeable metafile's box).
struct WmfMapping {
    unsigned mode = 0; // 0: never set
    WmfPair windowOrigin;
    WmfPair windowExtent;
    WmfPair viewportOrigin;
    WmfPair viewportExtent;
    bool windowOriginSet = false;
    bool windowExtentSet = false;
    bool viewportExtentSet = false;

    bool operator==(const WmfMapping& other) const;
};

// The mapping in effect from each record on, as the metafile's own
// SETMAPMODE, window and viewport records (set, offset and scale) and its
// SAVEDC and RESTOREDC records leave it. libwmf subtracts the viewport
// origin where it should add it, never saves or restores the viewport and
// starts from a window of its own; the device layer maps with this instead.
class WmfMappings {
public:
    // Walks the records from the first one (after the headers) as libwmf
    // does, up to the end record or the first record that does not fit.
    WmfMappings(std::string_view bytes, std::size_t firstRecord);

    // The mapping while the record with this index (from 0) plays.
    const WmfMapping& at(std::size_t record) const;

    // Turns the records that move the viewport origin in this copy of the
    // same bytes into records libwmf ignores, so that only we apply it.
    void hideOriginsFromLibwmf(std::vector<unsigned char>& bytes) const;

private:
    struct Change {
        std::size_t record;
        WmfMapping mapping;
    };
    std::vector<Change> m_changes;
    std::vector<std::size_t> m_originRecords;
    WmfMapping m_initial;
};

} // namespace kestrix

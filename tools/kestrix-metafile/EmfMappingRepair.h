#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// libemf2svg 1.1.0 maps logical units unlike the drawing interface:
//  - an isotropic or anisotropic mapping whose window is set and whose
//    viewport never is scales everything by 0 (every point at the origin,
//    every font 0 high), and one with neither by 0/0;
//  - the isotropic mode ignores the signs of the extents;
//  - the text and fixed modes ignore the window and viewport origins;
//  - the world transform is applied after the window and viewport instead
//    of before them, and a RESTOREDC leaves the group of the old one open;
//  - the scale records are ignored, and mapping state is not restored.
// The repair plays the mapping records itself, as the drawing interface
// does (with the frame as the player's device, so that a window nobody
// gave a viewport is drawn onto the frame), and hands libemf2svg only what
// it handles right: the signs of the scale as an anisotropic mapping of
// unit extents, and everything else as one world transform.
class EmfMappingRepair {
public:
    // The prepared metafile (header bounds = the frame, in device units)
    // with its mapping records repaired, or unchanged when it has none,
    // holds EMF+ records, which map themselves, or would more than double.
    static std::string apply(std::string_view prepared);

    struct Affine {
        double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    };

private:
    struct State {
        std::uint32_t mode = 1;
        double windowOriginX = 0, windowOriginY = 0;
        double windowExtentX = 1, windowExtentY = 1;
        double viewportOriginX = 0, viewportOriginY = 0;
        double viewportExtentX = 1, viewportExtentY = 1;
        bool windowExtentSet = false;
        bool viewportExtentSet = false;
        Affine world;
    };

    EmfMappingRepair(std::string_view header);

    void play(std::string_view record, std::string& out);
    bool changeState(std::uint32_t type, std::string_view record);
    void flush(std::string& out);
    void normaliseBox(std::uint32_t type, std::string& record) const;
    // The window-to-viewport mapping, logical to device units.
    Affine pageMapping() const;

    double m_frameWidth;
    double m_frameHeight;
    double m_pixelsPerMmX;
    double m_pixelsPerMmY;
    State m_state;
    std::vector<State> m_saved;
    bool m_dirty = false;
    bool m_worldUnknown = false;
    // What libemf2svg has been told.
    bool m_anisotropicSent = false;
    double m_signXSent = 1;
    double m_signYSent = 1;
    Affine m_worldSent;
    std::uint32_t m_records = 0;
};

} // namespace kestrix

#pragma once

namespace kestrix {

// A picture as the layout sees it: what kind it is and a handle that only the
// canvas knows how to resolve. The layout passes it to the canvas untouched.
struct PrintPicture {
    enum class Kind { None, Bitmap, Icon, Metafile };

    Kind kind = Kind::None;
    int handle = -1;

    bool operator==(const PrintPicture& other) const {
        return kind == other.kind && handle == other.handle;
    }
    bool operator!=(const PrintPicture& other) const { return !(*this == other); }
};

} // namespace kestrix

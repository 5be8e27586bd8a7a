#pragma once

namespace kestrix {

// A rectangle in device units, given by its edges as the page layout names
// them: left, top, right, bottom.
struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PrintRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const PrintRect& other) const { return !(*this == other); }
};

} // namespace kestrix

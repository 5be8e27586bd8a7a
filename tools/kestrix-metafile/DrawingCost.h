#pragma once

#include <cstddef>
#include <functional>

namespace kestrix {

// What drawing cost: processor time of the whole process, and how far its
// memory grew at its peak beyond what it held before.
struct DrawingCost {
    double cpuSeconds = 0;
    std::size_t memoryBytes = 0;
};

// Runs draw and measures it.
DrawingCost costOf(const std::function<void()>& draw);

} // namespace kestrix

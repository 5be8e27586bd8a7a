#pragma once

#include <cstdint>
#include <string>

namespace kestrix {

// The five running point totals, 32-bit like the game's original tables.
struct Totals {
    std::int32_t attributes = 0;
    std::int32_t advantages = 0;
    std::int32_t disadvantages = 0;
    std::int32_t magic = 0;
    std::int32_t grand = 0;
};

// The totals as the window and the printed sheet show them.
struct TotalsText {
    std::string attributes;
    std::string advantages;
    std::string disadvantages;
    std::string magic;
    std::string grand;
};

TotalsText totalsAsText(const Totals& totals);

} // namespace kestrix

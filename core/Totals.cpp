#include "core/Totals.h"

namespace kestrix {

TotalsText totalsAsText(const Totals& totals) {
    return {std::to_string(totals.attributes), std::to_string(totals.advantages),
            std::to_string(totals.disadvantages), std::to_string(totals.magic),
            std::to_string(totals.grand)};
}

} // namespace kestrix

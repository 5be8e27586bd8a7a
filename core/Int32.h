#pragma once

#include <cstdint>

namespace kestrix {

// 32-bit two's complement arithmetic without signed overflow: the totals
// wrap around exactly like the 32-bit sums players' files were made with.
constexpr std::int32_t asSigned(std::uint32_t value) {
    return value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(value)
                                : static_cast<std::int32_t>(value - 0x80000000u) - 0x7FFFFFFF - 1;
}

constexpr std::int32_t wrappingAdd(std::int32_t a, std::int32_t b) {
    return asSigned(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t wrappingSubtract(std::int32_t a, std::int32_t b) {
    return asSigned(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

} // namespace kestrix

#pragma once

#include <cstdint>
#include <string_view>

namespace kestrix {

// Reads the integer at the start of a text the way every total of the sheet
// does: blanks skipped, an optional sign or "$" for hexadecimal, digits up to
// the first other character. Text that is not a number reads as 0; the
// 32-bit quirks (early stop, wrap-around, sign dropped on trailing text) are
// part of what players see in their totals and are kept deliberately.
std::int32_t leadingNumberValue(std::string_view text);

} // namespace kestrix

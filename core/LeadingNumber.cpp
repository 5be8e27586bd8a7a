#include "core/LeadingNumber.h"

#include "core/Int32.h"

namespace kestrix {
namespace {

constexpr std::uint32_t kDecimalStopAbove = 214748364;
constexpr std::uint32_t kHexStopAbove = 268435455;

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c) {
    if (isDecimalDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::int32_t readHexadecimal(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || value > kHexStopAbove)
            break;
        value = value * 16u + static_cast<std::uint32_t>(digit);
    }
    return asSigned(value);
}

} // namespace

std::int32_t leadingNumberValue(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;

    bool negative = false;
    if (pos < text.size()) {
        if (text[pos] == '$')
            return readHexadecimal(text.substr(pos + 1));
        if (text[pos] == '-') {
            negative = true;
            ++pos;
        } else if (text[pos] == '+') {
            ++pos;
        }
    }
    if (pos >= text.size() || !isDecimalDigit(text[pos]))
        return 0;

    std::uint32_t magnitude = 0;
    while (pos < text.size() && isDecimalDigit(text[pos])) {
        if (magnitude > kDecimalStopAbove)
            return asSigned(magnitude);
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[pos] - '0');
        ++pos;
    }
    if (pos < text.size())
        return asSigned(magnitude); // trailing text: the sign is dropped
    return asSigned(negative ? 0u - magnitude : magnitude);
}

} // namespace kestrix

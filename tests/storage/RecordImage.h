#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrix::test {

// A record image written by hand, offset by offset, so that the codec is
// checked against the layout rather than against itself.
class RecordImage {
public:
    static constexpr std::size_t kSize = 4012;

    RecordImage() : m_bytes(kSize, '\0') {}
    explicit RecordImage(std::string bytes) : m_bytes(std::move(bytes)) {}

    // A length byte, then the text; nothing else in the field is touched.
    RecordImage& text(std::size_t offset, const std::string& text) {
        m_bytes[offset] = static_cast<char>(text.size());
        m_bytes.replace(offset + 1, text.size(), text);
        return *this;
    }
    RecordImage& byte(std::size_t offset, unsigned value) {
        m_bytes[offset] = static_cast<char>(value);
        return *this;
    }
    RecordImage& littleEndian(std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            byte(offset + i, (value >> (8 * i)) & 0xFF);
        return *this;
    }

    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The offset of the first differing byte, or -1 when both are equal (a
// length difference counts at the shorter one's end).
inline long firstDifference(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (a[i] != b[i])
            return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(common);
}

} // namespace kestrix::test

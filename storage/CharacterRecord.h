#pragma once

#include "CharacterData.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrix {

// The fixed 4012-byte record that is the whole of a character file, little
// endian, texts as length-prefixed Windows-1252 short strings.
class CharacterRecord {
public:
    static constexpr std::size_t kSize = 4012;
    using Bytes = std::array<unsigned char, kSize>;

    const Bytes& bytes() const { return m_bytes; }
    void setBytes(const Bytes& bytes) { m_bytes = bytes; }
    // Replaces the record with the first kSize bytes of `fileBytes`, which
    // must hold at least that many.
    void setBytes(std::string_view fileBytes);

    // Writes every field of the character over the record; bytes that no
    // field fills (the reserved byte, string tails, unused slots) keep what
    // the record held before. Texts longer than their field are cut.
    void store(const CharacterData& data);
    void setFileName(std::string_view path);

    // Reads every field back. A length byte larger than its field lets the
    // text run on into the following bytes, never past the record's end.
    CharacterData extract() const;
    std::string fileName() const;

private:
    Bytes m_bytes{};
};

} // namespace kestrix

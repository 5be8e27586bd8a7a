#pragma once

#include "core/CharacterData.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The fixed 4012-byte record that is the whole of a character file, little
// endian, texts as length-prefixed Windows-1252 short strings.
class CharacterRecord {
public:
    static constexpr std::size_t kSize = 4012;
    using Bytes = std::array<unsigned char, kSize>;

    // Where each field starts. A short string of capacity N takes N + 1
    // bytes: its length, then room for N characters.
    static constexpr std::size_t kFileNameOffset = 0;
    static constexpr std::size_t kPathCapacity = 255;
    static constexpr std::size_t kNameOffset = 256;
    static constexpr std::size_t kNameCapacity = 40;
    // forca, habilidade, resistencia, armadura, poderdefogo, then fogo,
    // terra, agua, ar, luz, trevas, one after another.
    static constexpr std::size_t kValuesOffset = 297;
    static constexpr std::size_t kValueCapacity = 5;
    static constexpr std::size_t kReservedOffset = 363;
    static constexpr std::size_t kAdvantageLastIndexOffset = 364;
    static constexpr std::size_t kDisadvantageLastIndexOffset = 368;
    static constexpr std::size_t kObservationLastIndexOffset = 372;
    static constexpr std::size_t kAdvantageSlotsOffset = 376;
    static constexpr std::size_t kDisadvantageSlotsOffset = 786;
    static constexpr std::size_t kItemCapacity = 40;
    static constexpr std::size_t kPicturePathOffset = 1196;
    static constexpr std::size_t kObservationSlotsOffset = 1452;
    static constexpr std::size_t kObservationCapacity = 255;
    static constexpr int kSlotCount = 10;

    const Bytes& bytes() const { return m_bytes; }
    void setBytes(const Bytes& bytes) { m_bytes = bytes; }
    // Replaces the record with the first kSize bytes of `fileBytes`. Fewer
    // bytes than that are refused: the record stays as it was and the result
    // is false.
    bool setBytes(std::string_view fileBytes);

    // Writes every field of the character over the record; bytes that no
    // field fills (the reserved byte, string tails, unused slots) keep what
    // the record held before. Texts longer than their field are cut, and a
    // list longer than its ten slots is stored as its first ten.
    void store(const CharacterData& data);
    // Puts a path, in the system's encoding (UTF-8), into the file-name field
    // as Windows-1252 like every other text of the record ('?' for what the
    // code page cannot hold), cut to the field.
    void setFileName(std::string_view path);

    // Reads every field back. A length byte larger than its field lets the
    // text run on into the following bytes, never past the record's end. A
    // negative last index gives an empty list, one above 9 the ten slots.
    CharacterData extract() const;
    std::string fileName() const;

private:
    void writeShortString(std::size_t offset, std::size_t capacity, std::string_view text);
    std::string readShortString(std::size_t offset) const;
    void writeInt32(std::size_t offset, std::int32_t value);
    std::int32_t readInt32(std::size_t offset) const;
    void writeList(std::size_t lastIndexOffset, std::size_t slotsOffset, std::size_t capacity,
                   const std::vector<std::string>& lines);
    std::vector<std::string> readList(std::size_t lastIndexOffset, std::size_t slotsOffset,
                                      std::size_t capacity) const;

    Bytes m_bytes{};
};

} // namespace kestrix

#include "storage/CharacterRecord.h"

#include "core/Int32.h"
#include "core/Windows1252.h"

#include <algorithm>
#include <cstdint>

namespace kestrix {
namespace {

constexpr std::size_t kValueFieldSize = CharacterRecord::kValueCapacity + 1;

std::size_t valueOffset(int index) {
    return CharacterRecord::kValuesOffset + kValueFieldSize * index;
}

} // namespace

bool CharacterRecord::setBytes(std::string_view fileBytes) {
    if (fileBytes.size() < kSize)
        return false;
    std::copy_n(fileBytes.begin(), kSize, m_bytes.begin());
    return true;
}

void CharacterRecord::store(const CharacterData& data) {
    writeShortString(kNameOffset, kNameCapacity, data.name);
    for (int i = 0; i < kAttributeCount; ++i)
        writeShortString(valueOffset(i), kValueCapacity, data.attributes[i]);
    for (int i = 0; i < kMagicPathCount; ++i)
        writeShortString(valueOffset(kAttributeCount + i), kValueCapacity, data.magicPaths[i]);
    writeList(kAdvantageLastIndexOffset, kAdvantageSlotsOffset, kItemCapacity, data.advantages);
    writeList(kDisadvantageLastIndexOffset, kDisadvantageSlotsOffset, kItemCapacity,
              data.disadvantages);
    writeShortString(kPicturePathOffset, kPathCapacity, data.picturePath);
    writeList(kObservationLastIndexOffset, kObservationSlotsOffset, kObservationCapacity,
              data.observations);
}

void CharacterRecord::setFileName(std::string_view path) {
    writeShortString(kFileNameOffset, kPathCapacity, utf8ToWindows1252(path));
}

CharacterData CharacterRecord::extract() const {
    CharacterData data;
    data.name = readShortString(kNameOffset);
    for (int i = 0; i < kAttributeCount; ++i)
        data.attributes[i] = readShortString(valueOffset(i));
    for (int i = 0; i < kMagicPathCount; ++i)
        data.magicPaths[i] = readShortString(valueOffset(kAttributeCount + i));
    data.picturePath = readShortString(kPicturePathOffset);
    data.advantages = readList(kAdvantageLastIndexOffset, kAdvantageSlotsOffset, kItemCapacity);
    data.disadvantages =
        readList(kDisadvantageLastIndexOffset, kDisadvantageSlotsOffset, kItemCapacity);
    data.observations =
        readList(kObservationLastIndexOffset, kObservationSlotsOffset, kObservationCapacity);
    return data;
}

std::string CharacterRecord::fileName() const {
    return readShortString(kFileNameOffset);
}

void CharacterRecord::writeShortString(std::size_t offset, std::size_t capacity,
                                       std::string_view text) {
    const std::size_t length = std::min(text.size(), capacity);
    m_bytes[offset] = static_cast<unsigned char>(length);
    std::copy_n(text.begin(), length, m_bytes.begin() + offset + 1);
}

std::string CharacterRecord::readShortString(std::size_t offset) const {
    const std::size_t start = offset + 1;
    const std::size_t end = std::min<std::size_t>(start + m_bytes[offset], kSize);
    return std::string(m_bytes.begin() + start, m_bytes.begin() + end);
}

void CharacterRecord::writeInt32(std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        m_bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
}

std::int32_t CharacterRecord::readInt32(std::size_t offset) const {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(m_bytes[offset + i]) << (8 * i);
    return asSigned(bits);
}

void CharacterRecord::writeList(std::size_t lastIndexOffset, std::size_t slotsOffset,
                                std::size_t capacity, const std::vector<std::string>& lines) {
    const int count = static_cast<int>(std::min<std::size_t>(lines.size(), kSlotCount));
    writeInt32(lastIndexOffset, count - 1);
    for (int i = 0; i < count; ++i)
        writeShortString(slotsOffset + (capacity + 1) * i, capacity, lines[i]);
}

std::vector<std::string> CharacterRecord::readList(std::size_t lastIndexOffset,
                                                   std::size_t slotsOffset,
                                                   std::size_t capacity) const {
    const std::int32_t lastIndex = std::min(readInt32(lastIndexOffset), kSlotCount - 1);
    std::vector<std::string> lines;
    for (std::int32_t i = 0; i <= lastIndex; ++i)
        lines.push_back(readShortString(slotsOffset + (capacity + 1) * i));
    return lines;
}

} // namespace kestrix

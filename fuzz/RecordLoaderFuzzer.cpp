// Fuzzes the character record codec with the bytes of a character file.
//
// Invariants:
// - every text comes back exactly as its length byte says, from the bytes
//   that follow it, even when the length runs past the field; no list has
//   more than ten lines;
// - storing any character and reading it back gives its texts cut to their
//   fields, the first ten lines of each list, and leaves the reserved byte
//   and the file-name field alone;
// - LoadCharacter either reads the whole record into its image, stamped with
//   the opened path, and replaces the whole sheet with what it holds, or, on
//   failure, changes nothing: not the sheet, not the record image,
//   not the current file name; a file shorter than a record always fails
//   with "Read beyond end of file".
#include "core/CharacterSheet.h"
#include "core/Int32.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFile.h"
#include "storage/CharacterFile.h"
#include "storage/CharacterRecord.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {
namespace {

using Bytes = CharacterRecord::Bytes;

// The record layout, written out again here so that the codec is checked
// against an independent reading of it.
constexpr std::size_t kFileNameField = 0;
constexpr std::size_t kNameField = 256;
constexpr std::size_t kFirstAttributeField = 297;
constexpr std::size_t kFirstMagicPathField = 327;
constexpr std::size_t kSmallFieldSize = 6;
constexpr std::size_t kReservedByte = 363;
constexpr std::size_t kAdvantageLastIndex = 364;
constexpr std::size_t kDisadvantageLastIndex = 368;
constexpr std::size_t kObservationLastIndex = 372;
constexpr std::size_t kAdvantageSlots = 376;
constexpr std::size_t kDisadvantageSlots = 786;
constexpr std::size_t kItemSlotSize = 41;
constexpr std::size_t kPicturePathField = 1196;
constexpr std::size_t kObservationSlots = 1452;
constexpr std::size_t kObservationSlotSize = 256;
constexpr std::size_t kSlotCount = 10;

constexpr std::size_t kNameCapacity = 40;
constexpr std::size_t kValueCapacity = 5;
constexpr std::size_t kItemCapacity = 40;
constexpr std::size_t kLongCapacity = 255;

std::string shortStringAt(const Bytes& bytes, std::size_t offset) {
    const std::size_t length =
        std::min<std::size_t>(bytes[offset], CharacterRecord::kSize - offset - 1);
    return std::string(reinterpret_cast<const char*>(bytes.data()) + offset + 1, length);
}

std::int32_t int32At(const Bytes& bytes, std::size_t offset) {
    const std::uint32_t value =
        std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
        std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
    return asSigned(value);
}

void checkList(const Bytes& bytes, std::size_t lastIndexField, std::size_t firstSlot,
               std::size_t slotSize, const std::vector<std::string>& lines) {
    const std::int32_t lastIndex = int32At(bytes, lastIndexField);
    fuzzCheck(lines.size() <= kSlotCount, "a list holds at most ten lines");
    if (lastIndex < static_cast<std::int32_t>(kSlotCount)) {
        const std::size_t expected = lastIndex < 0 ? 0 : static_cast<std::size_t>(lastIndex) + 1;
        fuzzCheck(lines.size() == expected, "a list has last index + 1 lines");
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        fuzzCheck(lines[i] == shortStringAt(bytes, firstSlot + slotSize * i),
                  "a list line is its slot's text");
}

void checkExtracted(const Bytes& bytes, const CharacterData& data) {
    fuzzCheck(data.name == shortStringAt(bytes, kNameField), "the name is its field's text");
    for (int i = 0; i < kAttributeCount; ++i)
        fuzzCheck(data.attributes[i] ==
                      shortStringAt(bytes, kFirstAttributeField + kSmallFieldSize * i),
                  "an attribute is its field's text");
    for (int i = 0; i < kMagicPathCount; ++i)
        fuzzCheck(data.magicPaths[i] ==
                      shortStringAt(bytes, kFirstMagicPathField + kSmallFieldSize * i),
                  "a magic path is its field's text");
    fuzzCheck(data.picturePath == shortStringAt(bytes, kPicturePathField),
              "the picture path is its field's text");
    checkList(bytes, kAdvantageLastIndex, kAdvantageSlots, kItemSlotSize, data.advantages);
    checkList(bytes, kDisadvantageLastIndex, kDisadvantageSlots, kItemSlotSize, data.disadvantages);
    checkList(bytes, kObservationLastIndex, kObservationSlots, kObservationSlotSize,
              data.observations);
}

std::vector<std::string> cutList(const std::vector<std::string>& lines, std::size_t capacity) {
    std::vector<std::string> cut;
    for (std::size_t i = 0; i < lines.size() && i < kSlotCount; ++i)
        cut.push_back(lines[i].substr(0, capacity));
    return cut;
}

// What a character looks like after a trip through the record.
CharacterData cutToFields(const CharacterData& data) {
    CharacterData cut = data;
    cut.name = data.name.substr(0, kNameCapacity);
    for (std::string& value : cut.attributes)
        value = value.substr(0, kValueCapacity);
    for (std::string& value : cut.magicPaths)
        value = value.substr(0, kValueCapacity);
    cut.advantages = cutList(data.advantages, kItemCapacity);
    cut.disadvantages = cutList(data.disadvantages, kItemCapacity);
    cut.observations = cutList(data.observations, kLongCapacity);
    cut.picturePath = data.picturePath.substr(0, kLongCapacity);
    return cut;
}

// A character made from the input's NUL-separated pieces: texts of any length
// and lists longer than the record holds. A few lines past the tenth are
// enough; thousands would only slow the fuzzer down.
CharacterData characterFromPieces(std::string_view input) {
    constexpr std::size_t kLinesPerList = kSlotCount + 2;
    std::size_t start = 0;
    const auto take = [&](std::string& field) {
        if (start > input.size())
            return false;
        const std::size_t end = std::min(input.find('\0', start), input.size());
        field = input.substr(start, end - start);
        start = end + 1;
        return true;
    };
    CharacterData data;
    take(data.name);
    for (std::string& value : data.attributes)
        take(value);
    for (std::string& value : data.magicPaths)
        take(value);
    take(data.picturePath);
    std::vector<std::string>* lists[] = {&data.advantages, &data.disadvantages, &data.observations};
    std::string line;
    for (std::size_t i = 0; i < 3 * kLinesPerList && take(line); ++i)
        lists[i % 3]->push_back(line);
    return data;
}

Bytes recordBytes(std::string_view input) {
    Bytes bytes{};
    std::copy_n(input.begin(), std::min(input.size(), bytes.size()), bytes.begin());
    return bytes;
}

void checkCodec(std::string_view input) {
    const Bytes bytes = recordBytes(input);
    CharacterRecord record;
    record.setBytes(bytes);
    const CharacterData loaded = record.extract();
    checkExtracted(bytes, loaded);
    fuzzCheck(record.fileName() == shortStringAt(bytes, kFileNameField),
              "the file name is its field's text");

    for (const CharacterData& character : {loaded, characterFromPieces(input)}) {
        CharacterRecord stored = record;
        stored.store(character);
        fuzzCheck(stored.extract() == cutToFields(character),
                  "a stored character reads back cut to its fields");
        fuzzCheck(stored.bytes()[kReservedByte] == bytes[kReservedByte],
                  "storing leaves the reserved byte alone");
        fuzzCheck(stored.fileName() == record.fileName(), "storing leaves the file name alone");
    }
}

bool sameTotals(const Totals& a, const Totals& b) {
    return a.attributes == b.attributes && a.advantages == b.advantages &&
           a.disadvantages == b.disadvantages && a.magic == b.magic && a.grand == b.grand;
}

std::string blankRecord() {
    CharacterRecord record;
    record.store(CharacterData{});
    return std::string(reinterpret_cast<const char*>(record.bytes().data()),
                       CharacterRecord::kSize);
}

void checkLoad(std::string_view input) {
    CharacterSheet sheet;
    CharacterFile characterFile;
    // Start from a loaded character, so that a failed load has a current
    // file name and a record image to leave alone.
    const MemoryFile previous(blankRecord());
    fuzzCheck(!characterFile.LoadCharacter(previous.path(), sheet), "a blank record loads");
    sheet.addAdvantage("3", "Ataque Especial");

    const CharacterData dataBefore = sheet.data();
    const Totals totalsBefore = sheet.totals();
    const Bytes imageBefore = characterFile.image().bytes();
    const std::string nameBefore = characterFile.currentFileName();

    const MemoryFile file(input);
    const Result error = characterFile.LoadCharacter(file.path(), sheet);
    if (input.size() < CharacterRecord::kSize)
        fuzzCheck(error && error->message == "Read beyond end of file",
                  "a short file reads beyond its end");
    if (error) {
        fuzzCheck(sheet.data() == dataBefore, "a failed load leaves the sheet alone");
        fuzzCheck(sameTotals(sheet.totals(), totalsBefore),
                  "a failed load leaves the totals alone");
        fuzzCheck(characterFile.image().bytes() == imageBefore,
                  "a failed load leaves the record image alone");
        fuzzCheck(characterFile.currentFileName() == nameBefore,
                  "a failed load leaves the current file name alone");
        return;
    }
    const Bytes read = recordBytes(input);
    const Bytes& image = characterFile.image().bytes();
    fuzzCheck(std::equal(image.begin() + kNameField, image.end(), read.begin() + kNameField),
              "a load reads the whole record into the image");
    fuzzCheck(characterFile.image().fileName() == file.path(),
              "a load puts the opened path into the image");
    CharacterRecord expected;
    expected.setBytes(read);
    fuzzCheck(sheet.data() == expected.extract(), "a load fills the sheet from the record");
    CharacterSheet recomputed;
    recomputed.replaceData(sheet.data());
    fuzzCheck(sameTotals(sheet.totals(), recomputed.totals()), "a load recomputes the totals");
    fuzzCheck(characterFile.currentFileName() == file.path(),
              "a load makes the opened path current");
}

} // namespace
} // namespace kestrix

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    kestrix::checkCodec(input);
    kestrix::checkLoad(input);
    return 0;
}

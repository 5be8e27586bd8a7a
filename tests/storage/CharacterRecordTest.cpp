#include "storage/CharacterRecord.h"

#include "tests/storage/RecordImage.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kestrix {
namespace {

using test::firstDifference;
using test::RecordImage;

CharacterRecord recordFrom(const RecordImage& image) {
    CharacterRecord record;
    EXPECT_TRUE(record.setBytes(image.bytes()));
    return record;
}

std::string bytesOf(const CharacterRecord& record) {
    return std::string(record.bytes().begin(), record.bytes().end());
}

TEST(CharacterRecordTest, BlankCharacterStoresMinusOneAsEveryLastIndex) {
    CharacterData blank;
    blank.picturePath = "modelo.bmp";
    CharacterRecord record;
    record.store(blank);

    RecordImage expected;
    expected.text(256, "Nome do Personagem");
    for (std::size_t offset = 297; offset < 363; offset += 6)
        expected.text(offset, "0");
    for (std::size_t offset = 364; offset < 376; ++offset)
        expected.byte(offset, 0xFF);
    expected.text(1196, "modelo.bmp");
    EXPECT_EQ(firstDifference(bytesOf(record), expected.bytes()), -1);
}

TEST(CharacterRecordTest, StoreLeavesEveryByteNoFieldFillsAsItWas) {
    const RecordImage before(std::string(RecordImage::kSize, '\xAB'));
    CharacterRecord record = recordFrom(before);
    CharacterData data;
    data.name = "Ana";
    data.attributes = {"1", "", "3", "4", "5"};
    data.advantages = {"2 Ataque Especial"};
    data.observations = {"linha"};
    data.picturePath = "a.bmp";
    record.store(data);

    RecordImage expected = before;
    expected.text(256, "Ana").text(297, "1").text(303, "").text(309, "3").text(315, "4");
    expected.text(321, "5");
    for (std::size_t offset = 327; offset < 363; offset += 6)
        expected.text(offset, "0");
    expected.littleEndian(364, 0).littleEndian(368, 0xFFFFFFFF).littleEndian(372, 0);
    expected.text(376, "2 Ataque Especial").text(1196, "a.bmp").text(1452, "linha");
    EXPECT_EQ(firstDifference(bytesOf(record), expected.bytes()), -1);
}

TEST(CharacterRecordTest, ListsLongerThanTheirSlotsStoreTheFirstTen) {
    CharacterData data;
    for (int i = 0; i < 12; ++i)
        data.advantages.push_back("item " + std::to_string(i));
    CharacterRecord record;
    record.store(data);
    const std::string bytes = bytesOf(record);
    EXPECT_EQ(bytes.substr(364, 4), std::string("\x09\0\0\0", 4));
    EXPECT_EQ(bytes.substr(786, 1), std::string(1, '\0')) << "slot 10 would overwrite";
    data.advantages.resize(10);
    EXPECT_EQ(record.extract().advantages, data.advantages);
}

struct OverrunCase {
    const char* description;
    std::function<void(RecordImage&)> prepare;
    std::function<std::string(const CharacterRecord&)> field;
    std::function<std::string(const std::string& bytes)> expected;
};

TEST(CharacterRecordTest, LengthBytesBeyondTheFieldRunOnButStopAtTheRecordEnd) {
    const std::vector<OverrunCase> cases = {
        {"name of length 50 takes the first 10 bytes after its field",
         [](RecordImage& image) {
             image.text(256, std::string(40, 'N')).byte(256, 50);
             image.text(297, "12345").text(303, "abc");
         },
         [](const CharacterRecord& r) { return r.extract().name; },
         [](const std::string&) {
             return std::string(40, 'N') + "\x05"
                                           "12345"
                                           "\x03"
                                           "abc";
         }},
        {"forca of length 255 runs through the following fields",
         [](RecordImage& image) { image.byte(297, 255); },
         [](const CharacterRecord& r) { return r.extract().attributes[0]; },
         [](const std::string& bytes) { return bytes.substr(298, 255); }},
        {"advantage slot 9 of length 255 runs into the disadvantage slots",
         [](RecordImage& image) { image.littleEndian(364, 9).byte(745, 255); },
         [](const CharacterRecord& r) { return r.extract().advantages.at(9); },
         [](const std::string& bytes) { return bytes.substr(746, 255); }},
        {"observation slot 9 of length 255 ends at the last byte",
         [](RecordImage& image) { image.littleEndian(372, 9).byte(3756, 255).byte(4011, 'z'); },
         [](const CharacterRecord& r) { return r.extract().observations.at(9); },
         [](const std::string& bytes) { return bytes.substr(3757); }},
        {"file name of length 255 fills its field",
         [](RecordImage& image) { image.byte(0, 255).byte(255, 'q'); },
         [](const CharacterRecord& r) { return r.fileName(); },
         [](const std::string& bytes) { return bytes.substr(1, 255); }},
    };
    for (const OverrunCase& c : cases) {
        RecordImage image;
        for (std::size_t i = 0; i < RecordImage::kSize; ++i)
            image.byte(i, (i * 7 + 3) & 0xFF);
        c.prepare(image);
        const std::string got = c.field(recordFrom(image));
        EXPECT_EQ(got, c.expected(image.bytes())) << c.description;
    }
}

struct LastIndexCase {
    std::uint32_t stored;
    std::size_t count;
};

TEST(CharacterRecordTest, LastIndexGivesTheListLength) {
    const std::vector<LastIndexCase> cases = {
        {0xFFFFFFFF, 0}, {0xFFFFFFFE, 0}, {0x80000000, 0},  {0, 1},           {1, 2},
        {9, 10},         {10, 10},        {0x7FFFFFFF, 10}, {0x01000000, 10}, {0x00000100, 10},
    };
    RecordImage image;
    std::vector<std::string> advantages, disadvantages, observations;
    for (int i = 0; i < 10; ++i) {
        advantages.push_back("a" + std::to_string(i));
        disadvantages.push_back("d" + std::to_string(i));
        observations.push_back("o" + std::to_string(i));
        image.text(376 + 41 * i, advantages.back());
        image.text(786 + 41 * i, disadvantages.back());
        image.text(1452 + 256 * i, observations.back());
    }
    const auto firstOf = [](const std::vector<std::string>& lines, std::size_t n) {
        return std::vector<std::string>(lines.begin(), lines.begin() + n);
    };
    for (const LastIndexCase& c : cases) {
        image.littleEndian(364, c.stored).littleEndian(368, c.stored).littleEndian(372, c.stored);
        const CharacterData data = recordFrom(image).extract();
        EXPECT_EQ(data.advantages, firstOf(advantages, c.count)) << std::hex << c.stored;
        EXPECT_EQ(data.disadvantages, firstOf(disadvantages, c.count)) << std::hex << c.stored;
        EXPECT_EQ(data.observations, firstOf(observations, c.count)) << std::hex << c.stored;
    }
}

} // namespace
} // namespace kestrix

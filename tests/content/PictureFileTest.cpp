#include "tests/content/ContentFile.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <regex>
#include <string>

namespace kestrix {
namespace {

using content::dataPath;
using content::readBytes;
using content::resourcePath;

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

struct Bitmap {
    const char* path;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bitsPerPixel;
};

void PrintTo(const Bitmap& bitmap, std::ostream* os) {
    *os << bitmap.path;
}

class BitmapFileTest : public ::testing::TestWithParam<Bitmap> {};

// Plain palettised Windows bitmaps with the 40-byte header, which every
// loader reads, at the sizes the windows and the printed sheet are laid out for.
TEST_P(BitmapFileTest, IsAnUncompressedPalettisedBitmapOfItsSize) {
    const Bitmap& expected = GetParam();
    const auto bytes = readBytes(resourcePath(expected.path));
    ASSERT_TRUE(bytes) << "cannot read " << resourcePath(expected.path);
    ASSERT_GE(bytes->size(), 54u);
    EXPECT_EQ(bytes->substr(0, 2), "BM");
    EXPECT_EQ(littleEndian(*bytes, 2, 4), bytes->size());
    EXPECT_EQ(littleEndian(*bytes, 14, 4), 40u);
    EXPECT_EQ(littleEndian(*bytes, 18, 4), expected.width);
    EXPECT_EQ(littleEndian(*bytes, 22, 4), expected.height);
    EXPECT_EQ(littleEndian(*bytes, 26, 2), 1u);
    EXPECT_EQ(littleEndian(*bytes, 28, 2), expected.bitsPerPixel);
    EXPECT_EQ(littleEndian(*bytes, 30, 4), 0u) << "compressed";

    const std::uint32_t paletteEntries = 1u << expected.bitsPerPixel;
    const std::uint32_t rowBytes = (expected.width * expected.bitsPerPixel + 31) / 32 * 4;
    EXPECT_EQ(littleEndian(*bytes, 10, 4), 54 + 4 * paletteEntries);
    EXPECT_EQ(bytes->size(), 54 + 4 * paletteEntries + rowBytes * expected.height);
}

INSTANTIATE_TEST_SUITE_P(Shipped, BitmapFileTest,
                         ::testing::Values(Bitmap{"modelo.bmp", 215, 326, 8},
                                           Bitmap{"icone.bmp", 32, 32, 4}));

TEST(PictureFileTest, DefaultPictureBesideTheProgramIsTheBuiltInOne) {
    const auto shipped = readBytes(dataPath("modelo.bmp"));
    const auto builtIn = readBytes(resourcePath("modelo.bmp"));
    ASSERT_TRUE(shipped && builtIn);
    EXPECT_TRUE(*shipped == *builtIn);
}

// Window icons are square; a button glyph holds its normal and disabled
// states side by side. Both need an alpha channel for their transparent pixels.
TEST(PictureFileTest, IconsAndGlyphsAreRgbaPngsOfTheirSize) {
    struct Png {
        const char* name;
        std::uint32_t width;
        std::uint32_t height;
    };
    for (const Png& png : {Png{"kestrix.png", 32, 32}, Png{"icons/kestrix-16.png", 16, 16},
                           Png{"icons/kestrix-24.png", 24, 24}, Png{"icons/kestrix-32.png", 32, 32},
                           Png{"icons/kestrix-48.png", 48, 48}, Png{"icons/kestrix-64.png", 64, 64},
                           Png{"icons/kestrix-128.png", 128, 128},
                           Png{"icons/kestrix-256.png", 256, 256}, Png{"glyph-figura.png", 32, 16},
                           Png{"glyph-padrao.png", 32, 16}, Png{"glyph-sem-figura.png", 32, 16}}) {
        const auto bytes = readBytes(resourcePath(png.name));
        ASSERT_TRUE(bytes) << png.name;
        ASSERT_GE(bytes->size(), 33u) << png.name;
        EXPECT_EQ(bytes->substr(0, 8), "\x89PNG\r\n\x1a\n") << png.name;
        EXPECT_EQ(bytes->substr(12, 4), "IHDR") << png.name;
        EXPECT_EQ(bigEndian32(*bytes, 16), png.width) << png.name;
        EXPECT_EQ(bigEndian32(*bytes, 20), png.height) << png.name;
        EXPECT_EQ(static_cast<unsigned char>((*bytes)[25]), 6) << png.name << " is not RGBA";
    }
}

// rcc stops the build at a missing file; catch it here, before any window
// target compiles the resources.
TEST(PictureFileTest, EveryFileTheResourceListsNameExists) {
    const std::regex entry(R"(<file(?:\s+alias="[^"]*")?>([^<]+)</file>)");
    int files = 0;
    for (const char* list : {"resources.qrc", "pictures.qrc"}) {
        const auto qrc = readBytes(resourcePath(list));
        ASSERT_TRUE(qrc) << list;
        for (std::sregex_iterator it(qrc->begin(), qrc->end(), entry), end; it != end; ++it) {
            ++files;
            EXPECT_TRUE(readBytes(resourcePath((*it)[1].str()))) << (*it)[1].str();
        }
    }
    EXPECT_GE(files, 12);
}

} // namespace
} // namespace kestrix

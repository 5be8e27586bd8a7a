#include "Windows1252.h"

#include <gtest/gtest.h>

namespace kestrix {
namespace {

TEST(Windows1252Test, AccentedLettersAndTheHighControlsConvertToUtf8) {
    EXPECT_EQ(windows1252ToUtf8("For\xe7"
                                "a \xc1gua \x80"),
              "Força Água €");
    EXPECT_EQ(windows1252ToUtf8("\x93x\x94"), "“x”");
}

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t cp = windows1252ToUnicode(static_cast<unsigned char>(byte));
        const auto back = unicodeToWindows1252(cp);
        ASSERT_TRUE(back.has_value()) << byte;
        EXPECT_EQ(*back, byte);
    }
}

TEST(Windows1252Test, CharactersOutsideTheCodePageAreRefused) {
    EXPECT_FALSE(unicodeToWindows1252(U'ł').has_value());
    EXPECT_FALSE(unicodeToWindows1252(U'→').has_value());
    EXPECT_FALSE(unicodeToWindows1252(0x1F600).has_value());
    EXPECT_EQ(unicodeToWindows1252(U'ç'), 0xE7);
}

} // namespace
} // namespace kestrix

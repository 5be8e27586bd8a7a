#include "core/Windows1252.h"

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

TEST(Windows1252Test, Utf8TextsConvertCharacterByCharacter) {
    struct Case {
        const char* utf8;
        std::string windows1252;
    };
    const Case cases[] = {
        {"q/her\xc3\xb3i.QsZ", "q/her\xf3i.QsZ"},
        {"\xe2\x82\xac \xc5\x93 \xe2\x80\x9cx\xe2\x80\x9d", "\x80 \x9c \x93x\x94"},
        // One '?' per character the code page lacks, however long its UTF-8.
        {"\xc5\x82\xe2\x86\x92\xf0\x9f\x98\x80.QsZ", "???.QsZ"},
        // Bytes outside well-formed UTF-8 stand for themselves: a lone Latin-1
        // letter, a cut sequence, an overlong slash, an encoded surrogate, a
        // code point past U+10FFFF.
        {"her\xf3i", "her\xf3i"},
        {"a\xc3", "a\xc3"},
        {"\xe2\x82", "\xe2\x82"},
        {"\xc0\xaf", "\xc0\xaf"},
        {"\xed\xa0\x80", "\xed\xa0\x80"},
        {"\xf4\x90\x80\x80", "\xf4\x90\x80\x80"},
        {"\xc3\xa9\xe9\xc3\xa9", "\xe9\xe9\xe9"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToWindows1252(c.utf8), c.windows1252) << c.utf8;
}

} // namespace
} // namespace kestrix

#include "ContentFile.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace kestrix {
namespace {

using content::readBytes;
using content::resourcePath;
using content::splitLines;

std::map<std::string, std::string> aboutTexts() {
    std::map<std::string, std::string> texts;
    const auto bytes = readBytes(resourcePath("help/sobre.txt"));
    if (!bytes)
        return texts;
    for (const std::string& line : splitLines(*bytes)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            texts[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return texts;
}

TEST(AboutTextTest, HasEveryLineOfTheAboutBox) {
    const auto texts = aboutTexts();
    for (const char* key : {"author", "errors", "versions", "credit", "disclaimer"}) {
        const auto found = texts.find(key);
        ASSERT_NE(found, texts.end()) << key;
        EXPECT_FALSE(found->second.empty()) << key;
        EXPECT_EQ(found->second.find('\r'), std::string::npos) << key;
    }
}

// The about box names no real people or places to write to: no web or mail
// address may slip into it.
TEST(AboutTextTest, NamesNoAddress) {
    for (const auto& [key, text] : aboutTexts()) {
        for (const char* address : {"http", "www.", "@", ".com", ".br", ".org", ".net"})
            EXPECT_EQ(text.find(address), std::string::npos) << key << ": " << text;
    }
}

} // namespace
} // namespace kestrix

#include "ui/dialogs/AboutTexts.h"

#include <gtest/gtest.h>
#include <string>

namespace kestrix {
namespace {

// The about box names no real people or places to write to: no web or mail
// address may slip into it.
TEST(AboutTextTest, EveryLineIsPresentAndNamesNoAddress) {
    for (const std::string text : {about::kProduct, about::kAuthor, about::kErrorReports,
                                   about::kNewVersions, about::kCredit, about::kDisclaimer}) {
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
        for (const char* address : {"http", "www.", "@", ".com", ".br", ".org", ".net"})
            EXPECT_EQ(text.find(address), std::string::npos) << text;
    }
}

} // namespace
} // namespace kestrix

#include "core/ObservationLines.h"

#include <gtest/gtest.h>

namespace kestrix {
namespace {

using Lines = std::vector<std::string>;

TEST(ObservationLinesTest, OwnLinesSplitAtLineBreaksOnly) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"um", {"um"}},
        {"um\n", {"um"}},
        {"\n", {""}},
        {"um\n\ntres", {"um", "", "tres"}},
        {"um\n\n", {"um", ""}},
        {"a\rb c\td", {"a\rb c\td"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ownLines(text), expected) << text;
}

TEST(ObservationLinesTest, StoresTheDisplayedLinesElseTheOwnLinesElseNothing) {
    const std::string full(255, 'x');
    const std::string tooLong(256, 'x');
    const Lines ten(10, "linha");
    const Lines eleven(11, "linha");
    // Three 255-character lines, as older files hold, wrapped into 30.
    const std::string threeLong = full + "\n" + full + "\n" + full;
    const Lines thirtyWrapped(30, std::string(25, 'x'));

    struct Case {
        const char* description;
        Lines displayed;
        std::string text;
        std::optional<Lines> stored;
    };
    const Case cases[] = {
        {"nothing", {}, "", Lines{}},
        {"ten displayed lines", ten, "one long line wrapped into ten", ten},
        {"long lines wrapped past ten", thirtyWrapped, threeLong, Lines{full, full, full}},
        {"ten own lines wrapped past ten", eleven,
         "a\nb\nc\nd\ne\nf\ng\nh\ni\nj long enough to wrap",
         Lines{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j long enough to wrap"}},
        {"eleven own lines", eleven, "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk", std::nullopt},
        {"an own line over 255", thirtyWrapped, full + "x\n" + full, std::nullopt},
        {"a displayed line over 255 that is its own line", Lines{tooLong}, tooLong, std::nullopt},
        {"a final line break adds no line", eleven, "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\n",
         Lines{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(observationLinesToStore(c.displayed, c.text), c.stored) << c.description;
}

} // namespace
} // namespace kestrix

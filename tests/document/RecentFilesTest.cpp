#include "document/RecentFiles.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace kestrix {
namespace {

using Paths = std::vector<std::string>;

struct RecentCase {
    const char* what;
    Paths stored;
    Paths added; // in the order they are opened or saved
    Paths expected;
};

const RecentCase kCases[] = {
    {"newest first", {}, {"/a", "/b", "/c"}, {"/c", "/b", "/a"}},
    {"a file used again moves to the front, once", {}, {"/a", "/b", "/a"}, {"/a", "/b"}},
    {"the front entry used again stays alone", {}, {"/a", "/a"}, {"/a"}},
    {"four at most: the oldest falls off",
     {},
     {"/a", "/b", "/c", "/d", "/e"},
     {"/e", "/d", "/c", "/b"}},
    {"a full list with an entry used again keeps four",
     {"/d", "/c", "/b", "/a"},
     {"/a"},
     {"/a", "/d", "/c", "/b"}},
    {"a stored list keeps its order", {"/x", "/y"}, {}, {"/x", "/y"}},
    {"a stored list is cleaned of repeats, blanks and extras",
     {"/x", "", "/y", "/x", "/z", "/w", "/v"},
     {},
     {"/x", "/y", "/z", "/w"}},
    {"an empty path is never taken", {"/x"}, {""}, {"/x"}},
    // The settings file is anyone's to edit: what cannot be a path is left out.
    {"entries no path can be are left out",
     {"/x", std::string(5000, 'a'), std::string("/a\0.QsZ", 8), "/" + std::string(4095, 'l'), "/y"},
     {},
     {"/x", "/y"}},
    {"the longest path the system takes is kept",
     {"/" + std::string(4094, 'l')},
     {},
     {"/" + std::string(4094, 'l')}},
    {"paths differ by their bytes, not by case", {}, {"/A.QsZ", "/a.QsZ"}, {"/a.QsZ", "/A.QsZ"}},
};

TEST(RecentFilesTest, KeepsTheFourMostRecentNewestFirst) {
    for (const RecentCase& c : kCases) {
        RecentFiles recent(c.stored);
        for (const std::string& path : c.added)
            recent.add(path);
        EXPECT_EQ(recent.paths(), c.expected) << c.what;
    }
}

TEST(RecentFilesTest, DropsOnlyTheFilesThatAreGone) {
    RecentFiles recent(Paths{"/a", "/b", "/c", "/d"});
    const std::set<std::string> present{"/a", "/c"};
    auto exists = [&](const std::string& path) { return present.count(path) > 0; };
    EXPECT_TRUE(recent.dropMissing(exists));
    EXPECT_EQ(recent.paths(), (Paths{"/a", "/c"}));
    EXPECT_FALSE(recent.dropMissing(exists)) << "nothing more to drop";
    recent.add("/e");
    EXPECT_EQ(recent.paths(), (Paths{"/e", "/a", "/c"}));
}

} // namespace
} // namespace kestrix

#include "storage/TemporaryFile.h"

#include "tests/storage/TestFiles.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

using test::listDirectory;
using test::readFile;
using test::TempDir;

// The named kind is what a file system without unnamed files gets.
TEST(TemporaryFileTest, EitherKindTakesTheTargetsPlaceOrLeavesNothing) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, ".kestrix-%lx-", static_cast<unsigned long>(getpid()));
    for (const auto kind : {TemporaryFile::Kind::Unnamed, TemporaryFile::Kind::Named}) {
        const bool named = kind == TemporaryFile::Kind::Named;
        TempDir dir;
        {
            TemporaryFile file;
            ASSERT_EQ(file.create(dir.path(), kind), 0);
            const auto listing = listDirectory(dir.path());
            if (named) {
                ASSERT_EQ(listing.size(), 1u);
                EXPECT_EQ(listing[0].rfind(prefix, 0), 0u) << listing[0];
                EXPECT_EQ(listing[0].substr(listing[0].size() - 4), ".tmp");
                EXPECT_EQ(file.path(), dir / listing[0]);
            } else {
                EXPECT_EQ(listing, std::vector<std::string>{});
                EXPECT_EQ(file.path(), "");
            }
            ASSERT_EQ(write(file.fd(), "novo", 4), 4);
            EXPECT_EQ(file.replace(dir / "alvo"), 0);
        }
        EXPECT_EQ(readFile(dir / "alvo"), "novo") << named;
        {
            TemporaryFile file;
            ASSERT_EQ(file.create(dir.path(), kind), 0);
            EXPECT_EQ(file.replace(dir / "sumida/alvo"), ENOENT);
        }
        {
            TemporaryFile abandoned;
            ASSERT_EQ(abandoned.create(dir.path(), kind), 0);
        }
        EXPECT_EQ(listDirectory(dir.path()), std::vector<std::string>{"alvo"}) << named;
        TemporaryFile nowhere;
        EXPECT_EQ(nowhere.create(dir / "sumida", kind), ENOENT);
    }
}

} // namespace
} // namespace kestrix

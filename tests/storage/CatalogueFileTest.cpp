#include "CatalogueFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kestrix {
namespace {

using test::TempDir;
using test::writeFile;

TEST(CatalogueFileTest, MissingOrUnreadableFilesReportTheirCode) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    const struct {
        std::string path;
        FileError expected;
    } cases[] = {
        {dir / "vantagem.lib", {2, "File not found"}},
        {dir / "missing/vantagem.lib", {3, "Invalid filename"}},
        {dir / "sub", {5, "File access denied"}},
    };
    for (const auto& c : cases) {
        Catalogue catalogue = Catalogue::advantages();
        parseCatalogue("kept", catalogue);
        EXPECT_EQ(loadCatalogueFile(c.path, catalogue), c.expected) << c.path;
        EXPECT_EQ(catalogue.names(), std::vector<std::string>{"kept"}) << c.path;
    }
}

TEST(CatalogueFileTest, ARealFileLoadsWithEachLineEndStyle) {
    for (const char* lineEnd : {"\r\n", "\r", "\n"}) {
        TempDir dir;
        const std::string end = lineEnd;
        writeFile(dir / "desvant.lib", "C\xF3"
                                       "digo de Honra" +
                                           end + "-1" + end + "Fobia" + end + "--1" + end);
        Catalogue catalogue = Catalogue::disadvantages();
        parseCatalogue("replaced", catalogue);
        ASSERT_EQ(loadCatalogueFile(dir / "desvant.lib", catalogue), std::nullopt);
        EXPECT_EQ(catalogue.names(), (std::vector<std::string>{"C\xF3"
                                                               "digo de Honra",
                                                               "Fobia"}));
        EXPECT_EQ(catalogue.shownCost(0), "-1");
        EXPECT_EQ(catalogue.shownCost(1), "Var.");
    }
}

} // namespace
} // namespace kestrix

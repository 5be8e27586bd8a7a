#include "DataFolders.h"

#include "CatalogueFile.h"
#include "Startup.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace kestrix {
namespace {

using test::TempDir;
using test::writeFile;

// Each data file is looked up on its own: the first folder holding it wins,
// and a file no folder holds is named in the program folder.
TEST(DataFoldersTest, TheFirstFolderHoldingAFileWins) {
    TempDir dir;
    for (const char* folder : {"user", "site", "program"})
        ASSERT_EQ(mkdir((dir / folder).c_str(), 0755), 0);
    const DataFolders folders{dir / "user", dir / "site", dir / "program"};
    const struct {
        const char* name;
        std::vector<const char*> heldBy;
        const char* expected;
    } cases[] = {
        {"a.lib", {"user", "site", "program"}, "user"},
        {"b.lib", {"site", "program"}, "site"},
        {"c.lib", {"program"}, "program"},
        {"d.lib", {"user"}, "user"},
        {"e.lib", {"user", "program"}, "user"},
        {"f.lib", {"site"}, "site"},
        {"g.lib", {}, "program"},
    };
    for (const auto& c : cases) {
        for (const char* folder : c.heldBy)
            writeFile(dir / (std::string(folder) + "/" + c.name), "x");
        EXPECT_EQ(folders.locate(c.name), dir / (std::string(c.expected) + "/" + c.name)) << c.name;
    }
}

TEST(DataFoldersTest, MissingOrUnsetFoldersAreSkipped) {
    TempDir dir;
    writeFile(dir / "vantagem.lib", "x");
    EXPECT_EQ((DataFolders{dir / "nao-ha", dir / "nem-aqui", dir.path()}).locate("vantagem.lib"),
              dir / "vantagem.lib");
    EXPECT_EQ((DataFolders{"", "", dir.path()}).locate("vantagem.lib"), dir / "vantagem.lib");
    // Without a program folder a file is looked for where the program is.
    EXPECT_EQ(DataFolders{}.locate("vantagem.lib"), "vantagem.lib");
    EXPECT_EQ(DataFolders{}.userFile("vantagem.lib"), "");
}

TEST(DataFoldersTest, TheUserFolderFollowsTheBaseDirectoryRules) {
    const struct {
        const char* description;
        std::map<std::string, std::string> environment;
        std::string user;
        std::string site;
    } cases[] = {
        {"XDG_DATA_HOME",
         {{"XDG_DATA_HOME", "/x/dados"}, {"HOME", "/home/ana"}},
         "/x/dados/kestrix",
         "/etc/kestrix"},
        {"no XDG_DATA_HOME",
         {{"HOME", "/home/ana"}},
         "/home/ana/.local/share/kestrix",
         "/etc/kestrix"},
        {"an empty XDG_DATA_HOME",
         {{"XDG_DATA_HOME", ""}, {"HOME", "/home/ana"}},
         "/home/ana/.local/share/kestrix",
         "/etc/kestrix"},
        {"a relative XDG_DATA_HOME",
         {{"XDG_DATA_HOME", "dados"}, {"HOME", "/home/ana"}},
         "/home/ana/.local/share/kestrix",
         "/etc/kestrix"},
        {"no home", {}, "", "/etc/kestrix"},
        {"a site folder for tests",
         {{"HOME", "/h"}, {"KESTRIX_SITE_DATA_DIR", "/t/site"}},
         "/h/.local/share/kestrix",
         "/t/site"},
    };
    for (const auto& c : cases) {
        const DataFolders folders =
            DataFolders::forUser("/usr/lib/kestrix", [&](const char* name) -> const char* {
                const auto found = c.environment.find(name);
                return found == c.environment.end() ? nullptr : found->second.c_str();
            });
        EXPECT_EQ(folders.user, c.user) << c.description;
        EXPECT_EQ(folders.site, c.site) << c.description;
        EXPECT_EQ(folders.program, "/usr/lib/kestrix") << c.description;
    }
}

// Start-up reads each catalogue from its own first folder.
TEST(DataFoldersTest, StartUpReadsEachCatalogueFromItsFirstFolder) {
    TempDir dir;
    for (const char* folder : {"user", "site", "program"})
        ASSERT_EQ(mkdir((dir / folder).c_str(), 0755), 0);
    writeFile(dir / "program/vantagem.lib", "Padrao\r\n1\r\n");
    writeFile(dir / "program/desvant.lib", "Padrao\r\n-1\r\n");
    writeFile(dir / "site/desvant.lib", "Do Grupo\r\n--1\r\nOutra\r\n2\r\n");
    writeFile(dir / "user/vantagem.lib", "Minha\r\n3\r\n");
    const StartupCatalogues loaded =
        loadStartupCatalogues(DataFolders{dir / "user", dir / "site", dir / "program"});
    EXPECT_FALSE(loaded.advantagesError);
    EXPECT_FALSE(loaded.disadvantagesError);
    EXPECT_EQ(loaded.advantages.names(), std::vector<std::string>{"Minha"});
    EXPECT_EQ(loaded.disadvantages.names(), (std::vector<std::string>{"Do Grupo", "Outra"}));
}

TEST(DataFoldersTest, SavingACatalogueMakesTheUsersFolders) {
    TempDir dir;
    const std::string path = dir / "dados/kestrix/vantagem.lib";
    ASSERT_FALSE(saveCatalogueFile(path, "Sorte\r\n1\r\n"));
    EXPECT_EQ(test::readFile(path), "Sorte\r\n1\r\n");
    ASSERT_FALSE(saveCatalogueFile(path, "Azar\r\n2\r\n"));
    EXPECT_EQ(test::readFile(path), "Azar\r\n2\r\n");
    EXPECT_EQ(test::listDirectory(dir / "dados/kestrix"), std::vector<std::string>{"vantagem.lib"});
    ASSERT_FALSE(removeDataFile(path));
    EXPECT_FALSE(removeDataFile(path)) << "a file already gone is no failure";
    writeFile(dir / "arquivo", "x");
    const Result blocked = saveCatalogueFile(dir / "arquivo/kestrix/vantagem.lib", "x");
    ASSERT_TRUE(blocked);
    EXPECT_EQ(blocked->message.rfind("vantagem.lib: ", 0), 0u) << blocked->message;
}

} // namespace
} // namespace kestrix

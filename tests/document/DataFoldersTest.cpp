#include "document/DataFolders.h"

#include "document/Startup.h"
#include "storage/CatalogueFile.h"
#include "storage/CharacterFile.h"
#include "tests/storage/TestFiles.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A path the system cannot take whole must not leave the folders it could
// make behind: they would be the user's to find and remove.
TEST(DataFoldersTest, AFolderTreeThatCannotBeMadeWholeLeavesNothingBehind) {
    TempDir dir;
    std::string beyondPathMax = dir / "fundo";
    while (beyondPathMax.size() <= PATH_MAX)
        beyondPathMax += "/" + std::string(200, 'p');
    const struct {
        const char* what;
        std::string path;
    } cases[] = {
        {"a folder name too long",
         dir / ("dados/kestrix/" + std::string(300, 'n') + "/vantagem.lib")},
        {"a path too long", beyondPathMax + "/vantagem.lib"},
    };
    for (const auto& c : cases) {
        const Result result = saveCatalogueFile(c.path, "Sorte\r\n1\r\n");
        EXPECT_TRUE(result && result->code == 3) << c.what;
        EXPECT_EQ(test::listDirectory(dir.path()), std::vector<std::string>{}) << c.what;
    }
}

// Watches a file for being opened.
class OpenWatch {
public:
    explicit OpenWatch(const std::string& path) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (m_fd >= 0)
            m_watch = inotify_add_watch(m_fd, path.c_str(), IN_OPEN);
    }
    ~OpenWatch() {
        if (m_fd >= 0)
            close(m_fd);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool works() const { return m_fd >= 0 && m_watch >= 0; }
    bool sawOpen() const {
        pollfd ready{m_fd, POLLIN, 0};
        return poll(&ready, 1, 0) > 0;
    }

private:
    int m_fd;
    int m_watch = -1;
};

// A data file in the user's or the site's folder is anyone's to plant: one
// that is not a regular file (a link to a terminal, a device, a pipe) is
// refused by its kind and never opened, since opening alone can act.
TEST(DataFoldersTest, DataFilesThatAreNotRegularFilesAreNeverOpened) {
    TempDir dir;
    for (const char* folder : {"user", "program"})
        ASSERT_EQ(mkdir((dir / folder).c_str(), 0755), 0);
    const std::string pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    ASSERT_EQ(mkfifo((dir / "user/vantagem.lib").c_str(), 0644), 0);
    for (const char* name : {"desvant.lib", "qsz.lib"})
        ASSERT_EQ(symlink(pipe.c_str(), (dir / ("user/" + std::string(name))).c_str()), 0);
    const OpenWatch watchPipe(pipe);
    const OpenWatch watchFifo(dir / "user/vantagem.lib");
    ASSERT_TRUE(watchPipe.works() && watchFifo.works()) << std::strerror(errno);

    const DataFolders folders{dir / "user", "", dir / "program"};
    const StartupCatalogues loaded = loadStartupCatalogues(folders);
    CharacterSheet sheet;
    const Result blank = CharacterFile().LoadCharacter(folders.locate("qsz.lib"), sheet);

    EXPECT_TRUE(loaded.advantagesError);
    EXPECT_TRUE(loaded.disadvantagesError);
    EXPECT_EQ(blank, (Error{5, "File access denied"}));
    EXPECT_FALSE(watchPipe.sawOpen()) << "a link to a pipe was opened";
    EXPECT_FALSE(watchFifo.sawOpen()) << "a pipe was opened";
}

} // namespace
} // namespace kestrix

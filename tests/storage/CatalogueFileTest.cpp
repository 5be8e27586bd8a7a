#include "CatalogueFile.h"

#include "TestFiles.h"

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

using test::TempDir;
using test::writeFile;

TEST(CatalogueFileTest, MissingOrUnreadableFilesReportTheirCode) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    const struct {
        std::string path;
        Error expected;
    } cases[] = {
        {dir / "vantagem.lib", {2, "vantagem.lib: File not found"}},
        {dir / "missing/vantagem.lib", {3, "vantagem.lib: Invalid filename"}},
        {dir / "sub", {5, "sub: File access denied"}},
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

// Loads in the background, so that a read waiting for a writer that never
// writes fails the test instead of hanging it: `release` ends such a wait.
Result loadOrRelease(const std::string& path, Catalogue& catalogue, std::size_t maxBytes,
                     const std::function<void()>& release) {
    auto loading = std::async(std::launch::async,
                              [&] { return loadCatalogueFile(path, catalogue, maxBytes); });
    if (loading.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
        ADD_FAILURE() << path << ": the read waited for a writer";
        release();
    }
    return loading.get();
}

// Files a catalogue must not be read from: too large to hold, or never
// ending. Each is refused with a message naming it, unread and at once, and
// the catalogue keeps what it held.
TEST(CatalogueFileTest, FilesTooLargeOrEndlessAreRefusedUnread) {
    TempDir dir;
    const auto sparse = [&](const std::string& name, std::size_t size) {
        writeFile(dir / name, "");
        EXPECT_EQ(truncate((dir / name).c_str(), static_cast<off_t>(size)), 0);
    };
    sparse("vantagem.lib", kMaxCatalogueFileBytes + 1);
    writeFile(dir / "desvant.lib", "Azar\r\n-1\r\n");
    ASSERT_EQ(symlink("/dev/zero", (dir / "zero.lib").c_str()), 0);
    ASSERT_EQ(mkfifo((dir / "idle.lib").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir / "held.lib").c_str(), 0600), 0);
    // A writer that keeps the FIFO open and never writes.
    int writer = open((dir / "held.lib").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const auto openAndCloseWriter = [&](const std::string& name) {
        return [path = dir / name] { close(open(path.c_str(), O_WRONLY | O_NONBLOCK)); };
    };

    const std::string notRegular = ": Catalogue file is not a regular file";
    const struct {
        std::string path;
        std::size_t maxBytes;
        Error expected;
        std::function<void()> release;
    } cases[] = {
        {dir / "vantagem.lib",
         kMaxCatalogueFileBytes,
         {0, "vantagem.lib: Catalogue file too large (at most 64 MB)"},
         [] {}},
        {dir / "desvant.lib",
         9,
         {0, "desvant.lib: Catalogue file too large (at most 9 bytes)"},
         [] {}},
        {dir / "zero.lib", kMaxCatalogueFileBytes, {0, "zero.lib" + notRegular}, [] {}},
        {dir / "idle.lib",
         kMaxCatalogueFileBytes,
         {0, "idle.lib" + notRegular},
         openAndCloseWriter("idle.lib")},
        {dir / "held.lib",
         kMaxCatalogueFileBytes,
         {0, "held.lib" + notRegular},
         [&writer] {
             close(writer);
             writer = -1;
         }},
        // A regular file that does not know its size is read no further
        // than the limit.
        {"/proc/self/cmdline",
         4,
         {0, "cmdline: Catalogue file too large (at most 4 bytes)"},
         [] {}},
    };
    for (const auto& c : cases) {
        Catalogue catalogue = Catalogue::advantages();
        parseCatalogue("kept", catalogue);
        EXPECT_EQ(loadOrRelease(c.path, catalogue, c.maxBytes, c.release), c.expected) << c.path;
        // Compared without printing: a wrongly read file can be megabytes.
        EXPECT_TRUE(catalogue.size() == 1 && catalogue.name(0) == "kept") << c.path;
    }
    if (writer >= 0)
        close(writer);
}

TEST(CatalogueFileTest, AFileUpToTheLimitLoads) {
    TempDir dir;
    writeFile(dir / "desvant.lib", "Azar\r\n-1\r\n");
    Catalogue catalogue = Catalogue::disadvantages();
    ASSERT_EQ(loadCatalogueFile(dir / "desvant.lib", catalogue, 10), std::nullopt);
    EXPECT_EQ(catalogue.names(), std::vector<std::string>{"Azar"});
}

} // namespace
} // namespace kestrix

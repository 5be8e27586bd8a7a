#include "storage/CatalogueFile.h"

#include "tests/storage/TestFiles.h"

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
    writeFile(dir / "real.lib", "Azar\r\n-1\r\n");
    const struct {
        std::string path;
        Error expected;
    } cases[] = {
        {dir / "vantagem.lib", {2, "vantagem.lib: File not found"}},
        {dir / "missing/vantagem.lib", {3, "vantagem.lib: Invalid filename"}},
        {dir / "sub", {5, "sub: File access denied"}},
        // The system would stop at the NUL and read real.lib.
        {dir / "real.lib" + std::string(1, '\0') + "/../other.lib",
         {3, "real.lib: Invalid filename"}},
    };
    for (const auto& c : cases) {
        Catalogue catalogue = Catalogue::advantages();
        EXPECT_FALSE(parseCatalogue("kept", catalogue));
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
        EXPECT_FALSE(parseCatalogue("replaced", catalogue));
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
    writeFile(dir / "lines.lib", std::string(2 * Catalogue::kMaxEntries, '\n') + "x");
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
        // Small on disk, but more entries than a program can hold.
        {dir / "lines.lib",
         kMaxCatalogueFileBytes,
         {0, "lines.lib: Catalogue file has too many entries (at most 1,000,000)"},
         [] {}},
        // A regular file that does not know its size is read no further
        // than the limit.
        {"/proc/self/cmdline",
         4,
         {0, "cmdline: Catalogue file too large (at most 4 bytes)"},
         [] {}},
    };
    for (const auto& c : cases) {
        Catalogue catalogue = Catalogue::advantages();
        EXPECT_FALSE(parseCatalogue("kept", catalogue));
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

// A catalogue is written over another catalogue or text, never over a file
// of another kind, whichever name or link leads to it; a path with a NUL,
// which the system would read as a shorter one, is refused.
TEST(CatalogueFileTest, SavingRefusesFilesOfAnotherKind) {
    TempDir dir;
    std::string character(4012, '\0');
    character.replace(0, 6, "Guerra");
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01", 20);
    const std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj << >>\nendobj\n";
    writeFile(dir / "vantagem.lib", "Sorte\r\n1\r\n");
    writeFile(dir / "intacto.lib", "Sorte\r\n1\r\n");
    writeFile(dir / "vazio.lib", "");
    writeFile(dir / "notas.txt", "Vis\xc3\xa3o\n\tcusto 2\n");
    writeFile(dir / "heroi.QsZ", character);
    writeFile(dir / "retrato.png", png);
    writeFile(dir / "ficha.pdf", pdf);
    ASSERT_EQ(symlink((dir / "heroi.QsZ").c_str(), (dir / "atalho.lib").c_str()), 0);
    const std::string refused = ": Not a catalogue file; it was left as it was";
    const struct {
        std::string path;
        std::string before; // empty for a file that is written
        Result expected;
    } cases[] = {
        {dir / "vantagem.lib", "", std::nullopt},
        {dir / "vazio.lib", "", std::nullopt},
        {dir / "notas.txt", "", std::nullopt},
        {dir / "novo/pasta/desvant.lib", "", std::nullopt},
        {dir / "heroi.QsZ", character, Error{0, "heroi.QsZ" + refused}},
        {dir / "retrato.png", png, Error{0, "retrato.png" + refused}},
        {dir / "ficha.pdf", pdf, Error{0, "ficha.pdf" + refused}},
        {dir / "atalho.lib", character, Error{0, "atalho.lib" + refused}},
        {dir / "intacto.lib" + std::string(1, '\0') + "x", "Sorte\r\n1\r\n",
         Error{3, "intacto.lib: Invalid filename"}},
    };
    const std::string bytes = "Azar\r\n-1\r\n";
    for (const auto& c : cases) {
        const std::string shown = c.path.substr(0, c.path.find('\0'));
        EXPECT_EQ(saveCatalogueFile(c.path, bytes), c.expected) << shown;
        EXPECT_EQ(test::readFile(c.path.substr(0, c.path.find('\0'))),
                  c.expected ? c.before : bytes)
            << shown;
    }
    EXPECT_EQ(test::readFile(dir / "heroi.QsZ"), character);
}

} // namespace
} // namespace kestrix

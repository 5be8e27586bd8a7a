#include "storage/FileSystem.h"

#include "storage/CatalogueFile.h"
#include "storage/CharacterFile.h"
#include "tests/storage/TestFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kestrix {
namespace {

using test::TempDir;
using test::writeFile;

struct ErrnoCase {
    int errnoValue;
    const char* path;
    Error expected;
};

TEST(FileSystemTest, ErrnoValuesMapToTheCodesUsersKnow) {
    TempDir dir;
    const std::string existingDir = dir / "x.QsZ";
    const std::string missingDir = dir / "missing/x.QsZ";
    const ErrnoCase cases[] = {
        {ENOENT, existingDir.c_str(), {2, "File not found"}},
        {ENOENT, "bare-name.QsZ", {2, "File not found"}},
        {ENOENT, missingDir.c_str(), {3, "Invalid filename"}},
        {ENOENT, "", {3, "Invalid filename"}},
        {ENOTDIR, "a", {3, "Invalid filename"}},
        {ENAMETOOLONG, "a", {3, "Invalid filename"}},
        {ELOOP, "a", {3, "Invalid filename"}},
        {EMFILE, "a", {4, "Too many open files"}},
        {ENFILE, "a", {4, "Too many open files"}},
        {EACCES, "a", {5, "File access denied"}},
        {EPERM, "a", {5, "File access denied"}},
        {EROFS, "a", {5, "File access denied"}},
        {EISDIR, "a", {5, "File access denied"}},
        {ETXTBSY, "a", {5, "File access denied"}},
        {ENOSPC, "a", {101, "Disk full"}},
        {EDQUOT, "a", {101, "Disk full"}},
        {EFBIG, "a", {101, "Disk full"}},
        {EIO, "a", {EIO, "I/O error " + std::to_string(EIO)}},
        {EBUSY, "a", {EBUSY, "I/O error " + std::to_string(EBUSY)}},
    };
    for (const ErrnoCase& c : cases)
        EXPECT_EQ(fileErrorFromErrno(c.errnoValue, c.path), c.expected)
            << c.errnoValue << " on \"" << c.path << "\"";
}

TEST(FileSystemTest, ADirectoryIsNoExistingFile) {
    TempDir dir;
    writeFile(dir / "file", "x");
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    ASSERT_EQ(symlink("file", (dir / "link").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (dir / "dangling").c_str()), 0);
    EXPECT_TRUE(isExistingFile(dir / "file"));
    EXPECT_TRUE(isExistingFile(dir / "link"));
    EXPECT_FALSE(isExistingFile(dir / "sub"));
    EXPECT_FALSE(isExistingFile(dir.path()));
    EXPECT_FALSE(isExistingFile(dir / "missing"));
    EXPECT_FALSE(isExistingFile(dir / "dangling"));
    EXPECT_FALSE(isExistingFile(""));
}

TEST(FileSystemTest, ReadingStopsAtTheLimitOrTheEnd) {
    TempDir dir;
    const std::string big(200 * 1024 + 3, 'b');
    writeFile(dir / "big", big);
    EXPECT_EQ(readFilePrefix(dir / "big", 10).bytes, std::string(10, 'b'));
    EXPECT_EQ(readWholeFile(dir / "big").bytes, big);
    writeFile(dir / "empty", "");
    const ReadResult empty = readWholeFile(dir / "empty");
    EXPECT_EQ(empty.error, std::nullopt);
    EXPECT_EQ(empty.bytes, "");
}

// A system call takes a path up to its first NUL: the rest of a name such
// as "alda.QsZ\0.pdf" would be lost on the way, and another file read,
// replaced or removed. Every way in refuses such a path at once.
TEST(FileSystemTest, APathHoldingANulNeverReachesTheFileSystem) {
    TempDir dir;
    const std::string other = dir / "alda.QsZ";
    const std::string withNul = other + std::string(1, '\0') + ".pdf";
    const std::string kept = "the other file";
    CharacterSheet sheet;
    Catalogue catalogue = Catalogue::advantages();
    const struct {
        const char* what;
        std::function<Result()> operation;
    } cases[] = {
        {"replaceFileSafely", [&] { return replaceFileSafely(withNul, "novo"); }},
        {"SaveCharacter", [&] { return CharacterFile().SaveCharacter(withNul, sheet); }},
        {"LoadCharacter", [&] { return CharacterFile().LoadCharacter(withNul, sheet); }},
        {"readFilePrefix", [&] { return readFilePrefix(withNul, 10).error; }},
        {"readRegularFilePrefix", [&] { return readRegularFilePrefix(withNul, 10).error; }},
        {"readFileOrPipePrefix", [&] { return readFileOrPipePrefix(withNul, 10).error; }},
        {"readRegularFile", [&] { return readRegularFile(withNul, 10).error; }},
        {"loadCatalogueFile", [&] { return loadCatalogueFile(withNul, catalogue); }},
        {"saveCatalogueFile", [&] { return saveCatalogueFile(withNul, "Sorte\r\n1\r\n"); }},
        {"removeDataFile", [&] { return removeDataFile(withNul); }},
    };
    for (const auto& c : cases) {
        writeFile(other, kept);
        const Result result = c.operation();
        EXPECT_TRUE(result && result->code == 3)
            << c.what << ": " << (result ? result->message : "");
        EXPECT_EQ(test::readFile(other), kept) << c.what;
        EXPECT_EQ(test::listDirectory(dir.path()), std::vector<std::string>{"alda.QsZ"}) << c.what;
    }
    EXPECT_FALSE(isExistingFile(withNul));
}

// A pipe tells nothing of its size: it is read in chunks until its end.
TEST(FileSystemTest, AFileOfUnknownSizeIsReadWhole) {
    TempDir dir;
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string sent;
    for (int i = 0; sent.size() < 150 * 1024; ++i)
        sent += std::to_string(i) + "\r\n";
    std::thread writer([&] {
        const int fd = open(fifo.c_str(), O_WRONLY);
        for (std::size_t done = 0; fd >= 0 && done < sent.size();) {
            const ssize_t wrote = write(fd, sent.data() + done, sent.size() - done);
            if (wrote <= 0)
                break;
            done += static_cast<std::size_t>(wrote);
        }
        if (fd >= 0)
            close(fd);
    });
    const ReadResult read = readWholeFile(fifo);
    writer.join();
    EXPECT_EQ(read.error, std::nullopt);
    EXPECT_EQ(read.bytes, sent);
}

} // namespace
} // namespace kestrix

// Saves cut short by a kill: the character file is always a whole record,
// old or new, and no temporary file stays behind for long.
#include "storage/CharacterFile.h"
#include "storage/CharacterRecord.h"
#include "tests/storage/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

using test::listDirectory;
using test::readFile;
using test::TempDir;
using test::writeFile;

CharacterSheet sheetNamed(const std::string& name, int advantages) {
    CharacterSheet sheet;
    sheet.setName(name);
    for (int i = 0; i < advantages; ++i)
        sheet.addAdvantage(std::to_string(i), "Vantagem " + std::to_string(i));
    sheet.setObservations(std::vector<std::string>(10, std::string(200, 'o')));
    return sheet;
}

// What a fresh CharacterFile writes for `sheet` at `path`.
std::string recordFor(const std::string& path, const CharacterSheet& sheet) {
    CharacterRecord record;
    record.setFileName(path);
    record.store(sheet.data());
    return std::string(reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size());
}

void waitFor(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

TEST(InterruptedSaveTest, SavesKilledAtAnyMomentLeaveAWholeRecordAndNoStrayFile) {
    TempDir dir;
    const std::string path = dir / "heroi.QsZ";
    const CharacterSheet sheets[] = {sheetNamed("Primeiro", 3), sheetNamed("Segundo", 10)};
    ASSERT_EQ(CharacterFile().SaveCharacter(path, sheets[0]), std::nullopt);
    const std::string records[] = {recordFor(path, sheets[0]), recordFor(path, sheets[1])};

    // A fixed seed; the moments spread over the first two saves of each
    // child (a save with its syncs takes milliseconds).
    std::mt19937 random(20261208);
    std::uniform_int_distribution<useconds_t> delay(0, 25000);
    constexpr int kKills = 120;
    std::set<std::string> strays;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 1;; i ^= 1)
                (void)CharacterFile().SaveCharacter(path, sheets[i]); // killed mid-save
        }
        usleep(delay(random));
        ::kill(child, SIGKILL);
        waitFor(child);
        const std::string now = readFile(path);
        ASSERT_TRUE(now == records[0] || now == records[1])
            << "after kill " << kill << ": " << now.size() << " bytes";
        for (const std::string& name : listDirectory(dir.path())) {
            if (name != "heroi.QsZ")
                strays.insert(name);
        }
    }
    // The next save clears what a kill between naming the new file and the
    // rename left, a window of two system calls.
    EXPECT_LT(strays.size(), kKills / 10u) << "temporary files left by kills";
    ASSERT_EQ(CharacterFile().SaveCharacter(path, sheets[0]), std::nullopt);
    EXPECT_EQ(listDirectory(dir.path()), std::vector<std::string>{"heroi.QsZ"});
}

std::string temporaryName(pid_t pid, const char* rest) {
    char name[64];
    std::snprintf(name, sizeof name, ".kestrix-%lx%s", static_cast<unsigned long>(pid), rest);
    return name;
}

pid_t aPidThatIsGone() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitFor(child);
    return child;
}

TEST(InterruptedSaveTest, ASaveRemovesTheTemporaryFilesOfSavesWhoseProcessIsGone) {
    TempDir dir;
    const pid_t gone = aPidThatIsGone();
    ASSERT_GT(gone, 0);
    const std::vector<std::string> stale = {temporaryName(gone, "-1-2.tmp"),
                                            temporaryName(gone, "-a3-fffff.tmp")};
    std::vector<std::string> kept = {
        temporaryName(getpid(), "-1-2.tmp"), // a save of this very process
        temporaryName(1, "-1-2.tmp"),        // a process that runs
        temporaryName(gone, "-1.tmp"),
        temporaryName(gone, "-1-2.tmp.bak"),
        temporaryName(gone, "-1-2-3.tmp"),
        temporaryName(gone, "-1-g.tmp"),
        ".kestrix-notas.tmp",
        "kestrix-1-2-3.tmp",
        "heroi.QsZ",
    };
    for (const std::string& name : stale)
        writeFile(dir / name, "meio salvo");
    for (const std::string& name : kept)
        writeFile(dir / name, "outro");
    // Only plain files go: not a directory, not a link (nor what it names).
    const std::string staleDirectory = temporaryName(gone, "-3-4.tmp");
    const std::string staleLink = temporaryName(gone, "-5-6.tmp");
    ASSERT_EQ(mkdir((dir / staleDirectory).c_str(), 0755), 0);
    ASSERT_EQ(symlink("heroi.QsZ", (dir / staleLink).c_str()), 0);
    kept.push_back(staleDirectory);
    kept.push_back(staleLink);

    ASSERT_EQ(CharacterFile().SaveCharacter(dir / "heroi.QsZ", CharacterSheet()), std::nullopt);

    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(listDirectory(dir.path()), kept);
    EXPECT_EQ(readFile(dir / "heroi.QsZ").size(), CharacterRecord::kSize);
}

// Another user's temporary file may belong to a save still running in
// another pid namespace (a container sharing the folder).
TEST(InterruptedSaveTest, AnotherUsersTemporaryFileIsLeftAlone) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give files to other users";
    constexpr uid_t kSaver = 42402;
    constexpr uid_t kOther = 42403;
    TempDir dir;
    const std::string folder = dir / "pasta";
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    const pid_t gone = aPidThatIsGone();
    const std::string mine = folder + "/" + temporaryName(gone, "-1-2.tmp");
    const std::string theirs = folder + "/" + temporaryName(gone, "-3-4.tmp");
    writeFile(mine, "meio salvo");
    writeFile(theirs, "meio salvo");
    ASSERT_EQ(chown(mine.c_str(), kSaver, kSaver), 0);
    ASSERT_EQ(chown(theirs.c_str(), kOther, kOther), 0);
    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        if (const std::string failed = test::becomeUser(kSaver, kSaver); !failed.empty())
            return failed;
        if (CharacterFile().SaveCharacter(folder + "/heroi.QsZ", CharacterSheet()))
            return "the save failed";
        return "";
    });
    EXPECT_EQ(readFile(mine), "<missing>");
    EXPECT_EQ(readFile(theirs), "meio salvo");
}

} // namespace
} // namespace kestrix

#include "document/RecoveryFolder.h"

#include "storage/Paths.h"
#include "tests/storage/TestFiles.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrix {
namespace {

using test::listDirectory;
using test::readFile;
using test::TempDir;
using test::writeFile;

const ProcessIdentity kSelf{"aaaa", 100, 1000};

// Writers are running or not as a test says; this one is.
struct FakeProcesses {
    std::set<long> running{kSelf.pid};
    RecoveryFolder::RunningCheck check() {
        return [this](const ProcessIdentity& p) { return running.count(p.pid) > 0; };
    }
};

RecoveryCopy copyOf(long pid, const std::string& file, std::int64_t savedAt) {
    RecoveryCopy copy;
    copy.writer = {"aaaa", pid, 1000};
    copy.savedAt = savedAt;
    copy.filePath = file;
    copy.record[256] = 3; // a name, "Ana"
    copy.record[257] = 'A';
    copy.record[258] = 'n';
    copy.record[259] = 'a';
    return copy;
}

// Leaves the copy of writer `pid` in the folder, as that editor would.
std::string leave(const std::string& folder, const RecoveryCopy& copy) {
    RecoveryFolder writer(folder, copy.writer);
    EXPECT_FALSE(writer.write(copy));
    return writer.ownCopyPath();
}

TEST(RecoveryFolderTest, LivesInTheUsersStateFolder) {
    const struct {
        const char* stateHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/var/state", "/home/ana", "/var/state/kestrix"},
        {nullptr, "/home/ana", "/home/ana/.local/state/kestrix"},
        {"", "/home/ana", "/home/ana/.local/state/kestrix"},
        // A relative XDG_STATE_HOME is no folder at all.
        {"state", "/home/ana", "/home/ana/.local/state/kestrix"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        const std::map<std::string, const char*> variables{{"XDG_STATE_HOME", c.stateHome},
                                                           {"HOME", c.home}};
        EXPECT_EQ(RecoveryFolder::forUser([&](const char* name) { return variables.at(name); }),
                  c.expected)
            << (c.stateHome ? c.stateHome : "(unset)");
    }
}

TEST(RecoveryFolderTest, ACopyIsTheUsersAloneAndReplacedWhole) {
    TempDir dir;
    const std::string folder = dir / "state/kestrix";
    RecoveryFolder recovery(folder, kSelf);
    ASSERT_FALSE(recovery.write(copyOf(kSelf.pid, "", 1)));
    ASSERT_FALSE(recovery.write(copyOf(kSelf.pid, "/tmp/b.QsZ", 2)));
    struct stat status {};
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(recovery.ownCopyPath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    // One file, the last copy, and no temporary file left beside it.
    EXPECT_EQ(listDirectory(folder), std::vector<std::string>{recoveryCopyName(kSelf)});
    EXPECT_EQ(decodeRecoveryCopy(readFile(recovery.ownCopyPath()))->filePath, "/tmp/b.QsZ");
    recovery.removeOwn();
    EXPECT_TRUE(listDirectory(folder).empty());

    // A folder that cannot be made is an error for the caller to mention.
    writeFile(dir / "file", "x");
    EXPECT_TRUE(RecoveryFolder(dir / "file/kestrix", kSelf).write(copyOf(kSelf.pid, "", 1)));
    EXPECT_TRUE(RecoveryFolder("", kSelf).write(copyOf(kSelf.pid, "", 1)));
}

// What a start finds in the folder: the copies of editors that are gone are
// offered, newest first; a running editor's copy is left exactly as it is;
// whatever is damaged or not ours is removed; other files are no business
// of ours.
TEST(RecoveryFolderTest, OffersTheWorkOfEditorsThatAreGone) {
    TempDir dir;
    const std::string folder = dir / "kestrix";
    FakeProcesses processes;
    processes.running.insert(200);
    const std::string older = leave(folder, copyOf(301, "/tmp/x.QsZ", 10));
    const std::string newer = leave(folder, copyOf(302, "", 20));
    const std::string running = leave(folder, copyOf(200, "/tmp/x.QsZ", 30));
    const std::string runningBytes = readFile(running);
    writeFile(joinPath(folder, "aaaa-303-1000.recovery"), "cut sho");
    // A sound copy under another editor's name.
    writeFile(joinPath(folder, "aaaa-304-1000.recovery"), encodeRecoveryCopy(copyOf(305, "", 5)));
    writeFile(joinPath(folder, "not-a-copy.recovery"), "x");
    ASSERT_EQ(symlink(older.c_str(), joinPath(folder, "aaaa-306-1000.recovery").c_str()), 0);
    writeFile(joinPath(folder, "notes.txt"), "x");
    ASSERT_EQ(mkdir(joinPath(folder, "aaaa-307-1000.recovery").c_str(), 0700), 0);

    RecoveryFolder recovery(folder, kSelf, processes.check());
    const auto found = recovery.abandoned("");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, newer);
    EXPECT_EQ(found[1].path, older);
    EXPECT_EQ(found[1].copy.filePath, "/tmp/x.QsZ");
    EXPECT_EQ(readFile(running), runningBytes);
    EXPECT_EQ(listDirectory(folder),
              (std::vector<std::string>{"aaaa-200-1000.recovery", "aaaa-301-1000.recovery",
                                        "aaaa-302-1000.recovery", "aaaa-307-1000.recovery",
                                        "notes.txt"}));

    recovery.remove(found[0]);
    EXPECT_EQ(recovery.abandoned("").size(), 1u);
}

// Started with a file, the editor offers only that file's copies, under
// whatever name it was given; the others wait for a start they belong to.
TEST(RecoveryFolderTest, StartedWithAFileOffersThatFilesCopiesOnly) {
    TempDir dir;
    const std::string folder = dir / "kestrix";
    writeFile(dir / "x.QsZ", "x");
    writeFile(dir / "y.QsZ", "y");
    ASSERT_EQ(symlink((dir / "x.QsZ").c_str(), (dir / "link.QsZ").c_str()), 0);
    FakeProcesses processes;
    leave(folder, copyOf(301, dir / "x.QsZ", 10));
    leave(folder, copyOf(302, "", 20));
    leave(folder, copyOf(303, dir / "gone.QsZ", 30));
    RecoveryFolder recovery(folder, kSelf, processes.check());
    const struct {
        std::string argument;
        std::vector<long> offered;
    } cases[] = {
        {dir / "x.QsZ", {301}},    {dir / "link.QsZ", {301}}, {dir / "y.QsZ", {}},
        {dir / "gone.QsZ", {303}}, {"", {303, 302, 301}},
    };
    for (const auto& c : cases) {
        std::vector<long> offered;
        for (const auto& found : recovery.abandoned(c.argument))
            offered.push_back(found.copy.writer.pid);
        EXPECT_EQ(offered, c.offered) << c.argument;
    }
    EXPECT_EQ(listDirectory(folder).size(), 3u) << "looking removes nothing sound";
}

} // namespace
} // namespace kestrix

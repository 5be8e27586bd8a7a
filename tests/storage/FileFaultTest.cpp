#include "storage/CatalogueFile.h"
#include "storage/CharacterFile.h"
#include "storage/FileSystem.h"
#include "tests/storage/SaveCheck.h"
#include "tests/storage/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

namespace kestrix {
namespace {

using test::failedSaveProblems;
using test::listDirectory;
using test::loadProblems;
using test::readFile;
using test::TempDir;
using test::writeFile;

const Error kNotFound{2, "File not found"};
const Error kInvalidName{3, "Invalid filename"};
const Error kTooManyFiles{4, "Too many open files"};
const Error kAccessDenied = fileError(FileErrorCode::AccessDenied);
const Error kDiskFull{101, "Disk full"};

// A saved character to be replaced, so that every case can prove it survived.
void saveOldCharacter(const std::string& path) {
    CharacterSheet sheet;
    sheet.setName("Antigo");
    sheet.addAdvantage("1", "Vantagem antiga");
    ASSERT_EQ(CharacterFile().SaveCharacter(path, sheet), std::nullopt);
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status.st_mode;
}

std::string errnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

TEST(FileFaultTest, BadPathsFailWithTheirCodesAndLeaveNothingBehind) {
    TempDir dir;
    writeFile(dir / "plain", "not a directory");
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    ASSERT_EQ(symlink("loop", (dir / "loop").c_str()), 0);
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    struct Case {
        std::string path;
        Error onSave;
        Error onLoad;
    };
    const Case cases[] = {
        {dir / "missing/x.QsZ", kInvalidName, kInvalidName},
        {dir / "plain/x.QsZ", kInvalidName, kInvalidName},
        {dir / "sub", kAccessDenied, kAccessDenied},
        {dir / "sub/", kAccessDenied, kAccessDenied},
        {dir / "loop", kInvalidName, kInvalidName},
        {dir / "fifo", kAccessDenied, kAccessDenied},
        {"", kInvalidName, kInvalidName},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failedSaveProblems(c.path, dir.path(), c.onSave), "") << c.path;
        EXPECT_EQ(loadProblems(c.path, c.onLoad), "") << c.path;
    }
    EXPECT_EQ(loadProblems(dir / "missing.QsZ", kNotFound), "");
    EXPECT_TRUE(S_ISFIFO(modeOf(dir / "fifo")));
}

// The editor opens character files only: anything else is refused at once,
// never waited on (a pipe without a writer would wait for ever). The alarm
// turns a wait into a failure instead of a stuck test.
TEST(FileFaultTest, OpeningAnythingButARegularFileIsRefusedAtOnce) {
    TempDir dir;
    saveOldCharacter(dir / "a.QsZ");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    ASSERT_EQ(symlink("fifo", (dir / "link-to-fifo").c_str()), 0);
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    const std::string socketPath = dir / "socket";
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);

    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        alarm(60);
        CharacterFile file;
        CharacterSheet sheet;
        if (file.LoadCharacter(dir / "a.QsZ", sheet))
            return "the character does not load";
        const CharacterData before = sheet.data();
        std::string problems;
        for (const std::string& path : {dir / "fifo", dir / "link-to-fifo", dir / "sub", socketPath,
                                        std::string("/dev/null"), std::string("/dev/zero")}) {
            const Result result = file.LoadCharacter(path, sheet);
            if (!(result == kAccessDenied))
                problems += path + ": " + test::describe(result) + "; ";
        }
        if (!(sheet.data() == before) || file.currentFileName() != dir / "a.QsZ")
            problems += "a refused open changed the document; ";
        return problems;
    });
    close(listener);
}

TEST(FileFaultTest, SavingThroughASymbolicLinkReplacesTheLinkedFile) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "elsewhere").c_str(), 0755), 0);
    saveOldCharacter(dir / "elsewhere/real.QsZ");
    ASSERT_EQ(symlink("elsewhere/real.QsZ", (dir / "relative").c_str()), 0);
    ASSERT_EQ(symlink((dir / "relative").c_str(), (dir / "absolute").c_str()), 0);
    ASSERT_EQ(symlink("elsewhere/new.QsZ", (dir / "dangling").c_str()), 0);

    CharacterSheet sheet;
    sheet.setName("Novo");
    ASSERT_EQ(CharacterFile().SaveCharacter(dir / "absolute", sheet), std::nullopt);
    ASSERT_EQ(CharacterFile().SaveCharacter(dir / "dangling", sheet), std::nullopt);

    EXPECT_TRUE(S_ISLNK(modeOf(dir / "absolute")));
    EXPECT_TRUE(S_ISLNK(modeOf(dir / "relative")));
    EXPECT_TRUE(S_ISLNK(modeOf(dir / "dangling")));
    CharacterSheet loaded;
    ASSERT_EQ(CharacterFile().LoadCharacter(dir / "elsewhere/real.QsZ", loaded), std::nullopt);
    EXPECT_EQ(loaded.name(), "Novo");
    EXPECT_EQ(readFile(dir / "elsewhere/new.QsZ").size(), 4012u);
    EXPECT_EQ(listDirectory(dir / "elsewhere"), (std::vector<std::string>{"new.QsZ", "real.QsZ"}));
    EXPECT_EQ(listDirectory(dir.path()),
              (std::vector<std::string>{"absolute", "dangling", "elsewhere", "relative"}));
}

TEST(FileFaultTest, PermissionBitsSurviveASave) {
    TempDir dir;
    saveOldCharacter(dir / "a.QsZ");
    ASSERT_EQ(chmod((dir / "a.QsZ").c_str(), 0604), 0);
    ASSERT_EQ(CharacterFile().SaveCharacter(dir / "a.QsZ", CharacterSheet()), std::nullopt);
    EXPECT_EQ(modeOf(dir / "a.QsZ") & 07777, 0604u);

    const mode_t mask = umask(022);
    umask(mask);
    ASSERT_EQ(CharacterFile().SaveCharacter(dir / "new.QsZ", CharacterSheet()), std::nullopt);
    EXPECT_EQ(modeOf(dir / "new.QsZ") & 07777, 0666u & ~mask);
}

TEST(FileFaultTest, AFileSizeLimitReportsDiskFullInsteadOfKillingTheProgram) {
    for (const rlim_t limit : {rlim_t{0}, rlim_t{1000}, rlim_t{4011}}) {
        TempDir dir;
        saveOldCharacter(dir / "a.QsZ");
        KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
            const rlimit fileSize{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
                return test::kSkip + errnoText("setrlimit");
            signal(SIGXFSZ, SIG_DFL);
            std::string problems = failedSaveProblems(dir / "a.QsZ", dir.path(), kDiskFull);
            struct sigaction after {};
            sigaction(SIGXFSZ, nullptr, &after);
            if (after.sa_handler != SIG_DFL)
                problems += "SIGXFSZ left ignored; ";
            return problems;
        });
    }
}

TEST(FileFaultTest, TooManyOpenFilesIsReported) {
    TempDir dir;
    saveOldCharacter(dir / "a.QsZ");
    const std::string before = readFile(dir / "a.QsZ");
    const auto listing = listDirectory(dir.path());
    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        rlimit files{};
        const int next = dup(0);
        if (next < 0 || getrlimit(RLIMIT_NOFILE, &files) != 0)
            return test::kSkip + errnoText("dup or getrlimit");
        close(next);
        const rlim_t previous = files.rlim_cur;
        files.rlim_cur = static_cast<rlim_t>(next);
        if (setrlimit(RLIMIT_NOFILE, &files) != 0)
            return test::kSkip + errnoText("setrlimit");
        CharacterFile file;
        CharacterSheet sheet;
        const Result saved = file.SaveCharacter(dir / "a.QsZ", sheet);
        const Result loaded = file.LoadCharacter(dir / "a.QsZ", sheet);
        files.rlim_cur = previous;
        setrlimit(RLIMIT_NOFILE, &files);
        std::string problems;
        if (!(saved == kTooManyFiles) || !(loaded == kTooManyFiles))
            problems += "got " + test::describe(saved) + " and " + test::describe(loaded) + "; ";
        if (readFile(dir / "a.QsZ") != before || listDirectory(dir.path()) != listing)
            problems += "the directory changed; ";
        return problems;
    });
}

// Root may write anything, so these cases run as an unprivileged user; the
// directories and files deny writing even to their owner, so the cases hold
// for a developer who is not root as well.
TEST(FileFaultTest, AFileTheUserMayNotWriteLoadsButIsNotReplaced) {
    TempDir dir;
    const std::string open = dir / "open";
    const std::string closed = dir / "closed";
    ASSERT_EQ(mkdir(open.c_str(), 0777), 0);
    ASSERT_EQ(chmod(open.c_str(), 0777), 0);
    ASSERT_EQ(mkdir(closed.c_str(), 0755), 0);
    saveOldCharacter(open + "/read-only.QsZ");
    saveOldCharacter(closed + "/writable.QsZ");
    ASSERT_EQ(chmod((open + "/read-only.QsZ").c_str(), 0444), 0);
    ASSERT_EQ(chmod((closed + "/writable.QsZ").c_str(), 0666), 0);
    ASSERT_EQ(chmod(closed.c_str(), 0555), 0);

    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        if (const std::string failed = test::dropPrivileges(); !failed.empty())
            return test::kSkip + failed;
        CharacterFile file;
        CharacterSheet sheet;
        if (const Result error = file.LoadCharacter(open + "/read-only.QsZ", sheet))
            return "a read-only file does not load: " + test::describe(error);
        if (sheet.name() != "Antigo")
            return "loaded \"" + sheet.name() + "\"";
        std::string problems = failedSaveProblems(open + "/read-only.QsZ", open, kAccessDenied) +
                               failedSaveProblems(closed + "/new.QsZ", closed, kAccessDenied);
        // A file the user may write is written in place, as a plain write would.
        const auto listing = listDirectory(closed);
        sheet.setName("Novo");
        if (const Result error = file.SaveCharacter(closed + "/writable.QsZ", sheet))
            problems += "a writable file is not saved: " + test::describe(error) + "; ";
        else if (readFile(closed + "/writable.QsZ").substr(257, 4) != "Novo")
            problems += "the writable file was not written; ";
        if (listDirectory(closed) != listing)
            problems += "the closed folder changed; ";
        return problems;
    });
}

// Runs `body` in a child with a mount namespace of its own, so that what it
// mounts is gone when it ends and never seen by anyone else.
std::string inPrivateMounts(const std::function<std::string()>& body) {
    if (unshare(CLONE_NEWNS) != 0)
        return test::kSkip + errnoText("cannot get a private mount namespace (needs root)");
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return test::kSkip + errnoText("cannot make mounts private");
    return body();
}

TEST(FileFaultTest, AFullFileSystemKeepsTheOldFile) {
    TempDir dir;
    const std::string disk = dir / "disk";
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        return inPrivateMounts([&]() -> std::string {
            if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=16k") != 0)
                return test::kSkip + errnoText("cannot mount a small tmpfs");
            saveOldCharacter(disk + "/a.QsZ");
            if (readFile(disk + "/a.QsZ").size() != 4012)
                return "the old character was not saved";
            const int filler = open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
            const std::string block(4096, 'f');
            while (write(filler, block.data(), block.size()) > 0) {
            }
            close(filler);
            return failedSaveProblems(disk + "/a.QsZ", disk, kDiskFull);
        });
    });
}

// Written in place (the folder is closed to the saver), the file still
// reports a full disk as any save does, and keeps its old bytes: a file
// that would grow gets its room before anything is written.
TEST(FileFaultTest, AFailedWriteInPlaceIsReportedAndKeepsTheOldFile) {
    const struct {
        const char* what;
        std::string oldBytes;
        std::size_t newSize;
    } cases[] = {
        {"an empty file", "", 4012},
        {"a file growing by several blocks", std::string(100, 'o'), 20000},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string disk = dir / "disk";
        ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
        KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
            return inPrivateMounts([&]() -> std::string {
                if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=16k,mode=0755") != 0)
                    return test::kSkip + errnoText("cannot mount a small tmpfs");
                writeFile(disk + "/a.pdf", c.oldBytes);
                chmod((disk + "/a.pdf").c_str(), 0666);
                const int filler = open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
                const std::string block(4096, 'f');
                while (write(filler, block.data(), block.size()) > 0) {
                }
                close(filler);
                if (const std::string failed = test::dropPrivileges(); !failed.empty())
                    return test::kSkip + failed;
                const Result result =
                    replaceFileSafely(disk + "/a.pdf", std::string(c.newSize, 'n'));
                std::string problems;
                if (!(result == kDiskFull))
                    problems += "got " + test::describe(result) + "; ";
                if (readFile(disk + "/a.pdf") != c.oldBytes)
                    problems += "the old file changed; ";
                return problems;
            });
        });
    }
}

// The folders made on the way to one that cannot be made are removed again.
TEST(FileFaultTest, AFolderTreeCutShortByAFullDiskIsRemovedAgain) {
    TempDir dir;
    const std::string disk = dir / "disk";
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        return inPrivateMounts([&]() -> std::string {
            if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k,nr_inodes=4") != 0)
                return test::kSkip + errnoText("cannot mount a tmpfs of few files");
            const Result result =
                saveCatalogueFile(disk + "/a/b/c/d/e/vantagem.lib", "Sorte\r\n1\r\n");
            std::string problems;
            if (!(result == Error{101, "vantagem.lib: Disk full"}))
                problems += "got " + test::describe(result) + "; ";
            if (!listDirectory(disk).empty())
                problems += "folders were left behind; ";
            return problems;
        });
    });
}

// Makes every fsync fail as a disk that reports an I/O error would, after
// the bytes were written.
std::string failEverySync() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fsync, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EIO & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        return test::kSkip + errnoText("cannot filter system calls");
    return "";
}

std::string limitFileSize(rlim_t bytes) {
    const rlimit limit{bytes, bytes};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? "" : test::kSkip + errnoText("setrlimit");
}

// A save in place that cannot finish puts back what it changed: the file
// keeps its old bytes and its old length, and the failure is reported.
// Each runs as an unprivileged user, whose folder is closed to new files.
TEST(FileFaultTest, AWriteInPlaceThatCannotFinishLeavesTheOldFileWhole) {
    const Error kIoError{EIO, "I/O error " + std::to_string(EIO)};
    const struct {
        const char* what;
        std::string oldBytes;
        std::size_t newSize;
        std::function<std::string()> fault;
        Error expected;
    } cases[] = {
        {"a file-size limit below the record", std::string(4012, 'o'), 4012,
         [] { return limitFileSize(1000); }, kDiskFull},
        {"a file-size limit the file would grow past", std::string(100, 'o'), 4012,
         [] { return limitFileSize(2000); }, kDiskFull},
        {"a sync failing after a shorter file was written", std::string(6000, 'o'), 4012,
         failEverySync, kIoError},
        {"a sync failing after a longer file was written", std::string(100, 'o'), 20000,
         failEverySync, kIoError},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string closed = dir / "closed";
        ASSERT_EQ(mkdir(closed.c_str(), 0755), 0);
        writeFile(closed + "/a.QsZ", c.oldBytes);
        ASSERT_EQ(chmod((closed + "/a.QsZ").c_str(), 0666), 0);
        ASSERT_EQ(chmod(closed.c_str(), 0555), 0);
        const std::string outcome = test::runInChild([&]() -> std::string {
            if (const std::string failed = test::dropPrivileges(); !failed.empty())
                return test::kSkip + failed;
            if (const std::string failed = c.fault(); !failed.empty())
                return failed;
            const Result result = replaceFileSafely(closed + "/a.QsZ", std::string(c.newSize, 'n'));
            std::string problems;
            if (!(result == c.expected))
                problems += "got " + test::describe(result) + "; ";
            const std::string after = readFile(closed + "/a.QsZ");
            if (after != c.oldBytes)
                problems += "the old file changed (" + std::to_string(after.size()) + " bytes, " +
                            std::to_string(std::count(after.begin(), after.end(), 'n')) + " new); ";
            if (listDirectory(closed) != std::vector<std::string>{"a.QsZ"})
                problems += "something was left in the folder; ";
            return problems;
        });
        if (outcome.rfind(test::kSkip, 0) == 0)
            GTEST_SKIP() << c.what << ": " << outcome;
        EXPECT_EQ(outcome, "") << c.what;
    }
}

TEST(FileFaultTest, AReadOnlyMountLoadsButRefusesSaving) {
    TempDir dir;
    const std::string disk = dir / "disk";
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    saveOldCharacter(disk + "/a.QsZ");
    KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
        return inPrivateMounts([&]() -> std::string {
            if (mount(disk.c_str(), disk.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
                mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) !=
                    0)
                return test::kSkip + errnoText("cannot bind-mount read-only");
            return loadProblems(disk + "/a.QsZ", std::nullopt) +
                   failedSaveProblems(disk + "/a.QsZ", disk, kAccessDenied) +
                   failedSaveProblems(disk + "/new.QsZ", disk, kAccessDenied);
        });
    });
}

} // namespace
} // namespace kestrix

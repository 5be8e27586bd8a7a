#include "storage/RecoveryCopy.h"

#include "storage/ProcessIdentity.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrix {
namespace {

RecoveryCopy sampleCopy() {
    RecoveryCopy copy;
    copy.writer = {"0123456789abcdef0123456789abcdef", 4321, 987654321};
    copy.savedAt = 1796900000;
    copy.filePath = "/home/ana/Personagens/Zuleica.QsZ";
    FileSnapshot disk;
    disk.device = 2049;
    disk.inode = 1234567;
    disk.size = 4012;
    disk.modifiedSeconds = 1796899000;
    disk.modifiedNanoseconds = 123456789;
    disk.bytes = std::string(4012, '\x5A');
    copy.fileOnDisk = disk;
    for (std::size_t i = 0; i < copy.record.size(); ++i)
        copy.record[i] = static_cast<unsigned char>(i * 7);
    return copy;
}

TEST(RecoveryCopyTest, ComesBackWholeWithOrWithoutAFile) {
    RecoveryCopy titled = sampleCopy();
    RecoveryCopy untitled = sampleCopy();
    untitled.filePath.clear();
    untitled.fileOnDisk.reset();
    RecoveryCopy noBoot = sampleCopy();
    noBoot.writer.bootId.clear();
    noBoot.writer.startTicks = 0;
    for (const RecoveryCopy& copy : {titled, untitled, noBoot}) {
        const std::optional<RecoveryCopy> back = decodeRecoveryCopy(encodeRecoveryCopy(copy));
        ASSERT_TRUE(back) << copy.filePath;
        EXPECT_TRUE(*back == copy) << copy.filePath;
    }
}

// What a full disk, a crash of the file system or another program may
// leave under a copy's name: none of it may be taken for the user's work.
TEST(RecoveryCopyTest, ADamagedCopyIsNoCopy) {
    const std::string sound = encodeRecoveryCopy(sampleCopy());
    const auto withPath = [](const std::string& path) {
        RecoveryCopy copy = sampleCopy();
        copy.filePath = path;
        return encodeRecoveryCopy(copy);
    };
    const auto withPid = [](long pid) {
        RecoveryCopy copy = sampleCopy();
        copy.writer.pid = pid;
        return encodeRecoveryCopy(copy);
    };
    std::string flipped = sound;
    flipped[300] ^= 0x01;
    std::string otherMagic = sound;
    otherMagic[0] = 'Q';
    std::string hugeLength = sound;
    // The boot id's length byte claims more than a boot id holds.
    hugeLength[8] = static_cast<char>(200);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"cut short by a full disk", sound.substr(0, sound.size() / 2)},
        {"cut by its last byte", sound.substr(0, sound.size() - 1)},
        {"one byte more", sound + '\0'},
        {"a bit flipped", flipped},
        {"another format", otherMagic},
        {"a length past its limit", hugeLength},
        {"a character file", std::string(4012, '\0')},
        {"a path with a NUL", withPath(std::string("/tmp/a\0b.QsZ", 12))},
        {"a path longer than any", withPath("/" + std::string(5000, 'a'))},
        {"no process", withPid(0)},
        {"a negative pid", withPid(-5)},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(decodeRecoveryCopy(bytes)) << what;
}

TEST(RecoveryCopyTest, ItsNameTellsItsWriterAndNothingElseParses) {
    const ProcessIdentity writer{"0123456789abcdef0123456789abcdef", 4321, 987654321};
    const std::string name = recoveryCopyName(writer);
    EXPECT_EQ(name, "0123456789ab-4321-987654321.recovery");
    const std::optional<ProcessIdentity> parsed = writerOfRecoveryCopyName(name);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->bootId, "0123456789ab");
    EXPECT_EQ(parsed->pid, 4321);
    EXPECT_EQ(parsed->startTicks, 987654321u);
    EXPECT_EQ(recoveryCopyName({"", 7, 0}), "0-7-0.recovery");
    EXPECT_EQ(writerOfRecoveryCopyName("0-7-0.recovery")->bootId, "");

    for (const char* other :
         {"notes.txt", ".recovery", "0123-4321.recovery", "0123-4321-9-9.recovery",
          "XYZ-4321-9.recovery", "0123-0-9.recovery", "0123--9.recovery",
          "0123-4321-99999999999999999999.recovery", "0123456789abc-1-1.recovery",
          "0123-4321-9.recovery.tmp", "../0123-4321-9.recovery"})
        EXPECT_FALSE(writerOfRecoveryCopyName(other)) << other;
}

// A copy is abandoned once its writer is gone: ended, or its pid taken by
// another process, or the machine started again since.
TEST(ProcessIdentityTest, TellsARunningWriterFromAGoneOne) {
    const ProcessIdentity self = currentProcessIdentity();
    ASSERT_GT(self.startTicks, 0u) << "/proc is needed to tell a pid taken again";

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    ProcessIdentity reused = self;
    reused.startTicks = self.startTicks + 1;
    ProcessIdentity otherBoot = self;
    otherBoot.bootId = self.bootId == "0" ? "1" : "0";
    ProcessIdentity shortBoot = self;
    shortBoot.bootId = self.bootId.substr(0, 12);
    ProcessIdentity ended = self;
    ended.pid = child;
    const struct {
        const char* what;
        ProcessIdentity process;
        bool running;
    } cases[] = {
        {"this process", self, true},
        {"its boot id as a copy's name holds it", shortBoot, true},
        {"its pid, started at another time", reused, false},
        {"its pid, in another boot", otherBoot, false},
        {"a process that ended", ended, false},
        {"no pid", ProcessIdentity{self.bootId, 0, 0}, false},
    };
    for (const auto& [what, process, running] : cases)
        EXPECT_EQ(isProcessRunning(process), running) << what;
}

} // namespace
} // namespace kestrix

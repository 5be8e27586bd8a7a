#include "document/RecoveryKeeper.h"

#include "document/CharacterDocument.h"
#include "tests/storage/TestFiles.h"

#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace kestrix {
namespace {

using test::listDirectory;
using test::readFile;
using test::TempDir;

class RecoveryKeeperTest : public ::testing::Test {
protected:
    RecoveryKeeperTest() {
        character.setStandardPictures(Picture{}, Picture{});
        character.resetHistory(Picture{});
    }

    std::optional<RecoveryCopy> copyOnDisk() const {
        struct stat status {};
        if (stat(folder.ownCopyPath().c_str(), &status) != 0)
            return std::nullopt;
        return decodeRecoveryCopy(readFile(folder.ownCopyPath()));
    }
    // Waits for the keeper's own timer, however slow the machine.
    bool copyWrittenSoon() const {
        return QTest::qWaitFor([this] { return copyOnDisk().has_value(); }, 10000);
    }

    TempDir dir;
    RecoveryFolder folder{dir / "state/kestrix", {"abcd", 77, 1}};
    CharacterDocument character;
};

TEST_F(RecoveryKeeperTest, KeepsUnsavedWorkASecondBehindAndNoLonger) {
    RecoveryKeeper keeper(character, folder);
    keeper.setClock([] { return std::int64_t{1796900000}; });
    EXPECT_FALSE(keeper.isPending()) << "nothing unsaved, nothing to keep";
    static_assert(RecoveryKeeper::kDelay <= std::chrono::seconds(2));

    character.setName("Zuleica");
    EXPECT_TRUE(keeper.isPending());
    ASSERT_TRUE(copyWrittenSoon());
    const RecoveryCopy copy = *copyOnDisk();
    EXPECT_EQ(copy.writer, folder.self());
    EXPECT_EQ(copy.savedAt, 1796900000);
    EXPECT_EQ(copy.filePath, "");
    CharacterRecord record;
    record.setBytes(copy.record);
    EXPECT_EQ(record.extract().name, "Zuleica");
    EXPECT_FALSE(keeper.isPending()) << "written: nothing waits until the next edit";

    // Back at the saved state by Desfazer: nothing is unsaved any more.
    character.undo();
    EXPECT_FALSE(copyOnDisk());
    character.redo();
    ASSERT_TRUE(copyWrittenSoon());
    character.saved();
    EXPECT_FALSE(copyOnDisk());
    EXPECT_FALSE(keeper.isPending());
}

TEST_F(RecoveryKeeperTest, ACleanEndLeavesNothing) {
    {
        RecoveryKeeper keeper(character, folder);
        character.acquireAdvantage("2", "Voo");
        EXPECT_TRUE(keeper.flush());
        EXPECT_TRUE(copyOnDisk());
    }
    EXPECT_TRUE(listDirectory(dir / "state/kestrix").empty());
}

// The user is never interrupted, and the terminal hears of it once.
TEST_F(RecoveryKeeperTest, ACopyThatCannotBeWrittenIsMentionedOnce) {
    test::writeFile(dir / "state", "a file where the folder would be");
    RecoveryKeeper keeper(character, folder);
    testing::internal::CaptureStderr();
    character.setName("A");
    EXPECT_FALSE(keeper.flush());
    character.setName("Ab");
    EXPECT_FALSE(keeper.flush());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("recovery copy"), std::string::npos) << said;
}

} // namespace
} // namespace kestrix

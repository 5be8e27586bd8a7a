// Saving among other users: folders the saver may not write, files shared
// through a group, links planted by someone else. Setting the cases up needs
// root (files of other owners); each save runs as an unprivileged user, or as
// root where root is the one at risk.
#include "storage/CharacterFile.h"
#include "storage/CharacterRecord.h"
#include "tests/storage/SaveCheck.h"
#include "tests/storage/TestFiles.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

using test::listDirectory;
using test::readFile;
using test::TempDir;
using test::writeFile;

// Ids that need no entry in the user database.
constexpr uid_t kOwner = 42401;
constexpr uid_t kSaver = 42402;
constexpr uid_t kPlanter = 42403;
constexpr uid_t kFolderOwner = 42404;
constexpr gid_t kOwnerGroup = 42401;
constexpr gid_t kSaverGroup = 42402;
constexpr gid_t kGames = 42410;

const Error kAccessDenied = fileError(FileErrorCode::AccessDenied);

struct Ids {
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    ino_t inode = 0;
};

Ids idsOf(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return {status.st_uid, status.st_gid, status.st_mode & 07777, status.st_ino};
}

std::string describe(const Ids& ids) {
    char text[80];
    std::snprintf(text, sizeof text, "%u:%u %04o", static_cast<unsigned>(ids.owner),
                  static_cast<unsigned>(ids.group), static_cast<unsigned>(ids.mode));
    return text;
}

// What a fresh CharacterFile writes for `sheet` at `path`.
std::string recordFor(const std::string& path, const CharacterSheet& sheet) {
    CharacterRecord record;
    record.setFileName(path);
    record.store(sheet.data());
    return std::string(reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size());
}

CharacterSheet newSheet() {
    CharacterSheet sheet;
    sheet.setName("Novo");
    sheet.addAdvantage("2", "Ataque Especial");
    return sheet;
}

void makeFolder(const std::string& path, uid_t owner, gid_t group, mode_t mode) {
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0) << path;
    ASSERT_EQ(chown(path.c_str(), owner, group), 0) << path;
    ASSERT_EQ(chmod(path.c_str(), mode), 0) << path;
}

// An old record with bytes after it, so that a save in place must also cut
// the file to one record.
void makeOldFile(const std::string& path, uid_t owner, gid_t group, mode_t mode) {
    CharacterSheet old;
    old.setName("Antigo");
    writeFile(path, recordFor(path, old) + std::string(88, 'x'));
    ASSERT_EQ(chown(path.c_str(), owner, group), 0) << path;
    ASSERT_EQ(chmod(path.c_str(), mode), 0) << path;
}

#define KESTRIX_REQUIRE_ROOT()                                                                     \
    do {                                                                                           \
        if (geteuid() != 0)                                                                        \
            GTEST_SKIP() << "needs root to give files to other users";                             \
    } while (false)

struct SharedCase {
    const char* what;
    mode_t folderMode;
    gid_t folderGroup;
    uid_t fileOwner;
    gid_t fileGroup;
    mode_t fileMode;
    std::vector<gid_t> saverGroups;
    bool inPlace;     // the same file afterwards, not a new one
    uid_t ownerAfter; // only root may give a new file to someone else
};

TEST(SharedFolderSaveTest, SharedFilesSaveWithTheirGroupAndModeAndNothingLeftBehind) {
    KESTRIX_REQUIRE_ROOT();
    const SharedCase cases[] = {
        {"a folder only its owner may write", 0755, 0, 0, 0, 0666, {}, true, 0},
        {"another user's file in a sticky folder",
         01777,
         0,
         kOwner,
         kOwnerGroup,
         0666,
         {},
         true,
         kOwner},
        // The group could be kept, but the sticky folder keeps the file its owner's.
        {"a group's file in a sticky folder",
         01777,
         0,
         kOwner,
         kGames,
         0660,
         {kGames},
         true,
         kOwner},
        {"a group's file in the group's folder",
         0775,
         kGames,
         kOwner,
         kGames,
         0660,
         {kGames},
         false,
         kSaver},
        {"a file everyone may write, of a group the saver is not in",
         0777,
         0,
         kOwner,
         kOwnerGroup,
         0666,
         {},
         true,
         kOwner},
        {"the saver's file of a group the saver left",
         0777,
         0,
         kSaver,
         kGames,
         0660,
         {},
         true,
         kSaver},
    };
    for (const SharedCase& c : cases) {
        TempDir dir;
        const std::string folder = dir / "pasta";
        const std::string path = folder + "/heroi.QsZ";
        makeFolder(folder, 0, c.folderGroup, c.folderMode);
        makeOldFile(path, c.fileOwner, c.fileGroup, c.fileMode);
        const Ids before = idsOf(path);
        const auto listing = listDirectory(folder);

        KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
            if (const std::string failed = test::becomeUser(kSaver, kSaverGroup, c.saverGroups);
                !failed.empty())
                return failed;
            if (const Result error = CharacterFile().SaveCharacter(path, newSheet()))
                return std::string(c.what) + ": " + test::describe(error);
            return "";
        });
        const Ids after = idsOf(path);
        EXPECT_EQ(readFile(path), recordFor(path, newSheet())) << c.what;
        EXPECT_EQ(describe(after), describe({c.ownerAfter, before.group, before.mode})) << c.what;
        EXPECT_EQ(after.inode == before.inode, c.inPlace) << c.what;
        EXPECT_EQ(listDirectory(folder), listing) << c.what;
    }
}

std::string linkTarget(const std::string& link) {
    char target[4096];
    const ssize_t length = readlink(link.c_str(), target, sizeof target);
    return length < 0 ? "<not a link>" : std::string(target, static_cast<std::size_t>(length));
}

void makeLink(const std::string& target, const std::string& link, uid_t owner) {
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0) << link;
    ASSERT_EQ(lchown(link.c_str(), owner, owner), 0) << link;
}

// The kernel's fs.protected_symlinks rule, applied by the save itself: in a
// sticky folder everyone may write, a link is followed only when it belongs
// to the saver or to the folder's owner. Root is tested too: root is who a
// planted link is most dangerous to.
TEST(SharedFolderSaveTest, ALinkPlantedInAStickySharedFolderIsNotFollowed) {
    KESTRIX_REQUIRE_ROOT();
    for (const uid_t saver : {uid_t{0}, kSaver}) {
        const std::string who = saver == 0 ? "root: " : "user: ";
        TempDir dir;
        const std::string shared = dir / "compartilhada";
        const std::string plain = dir / "comum";
        const std::string victims = dir / "vitimas";
        makeFolder(shared, kFolderOwner, 0, 01777);
        makeFolder(plain, kPlanter, kPlanter, 0777);
        // Everyone may write the victims and their folder, so only the rule
        // can stop the save.
        makeFolder(victims, 0, 0, 0777);
        for (const char* name : {"alvo.QsZ", "meu.QsZ", "do-dono.QsZ", "aberto.QsZ"})
            makeOldFile(victims + "/" + name, kOwner, kOwnerGroup, 0666);
        makeLink(victims + "/alvo.QsZ", shared + "/plantado.QsZ", kPlanter);
        makeLink(victims + "/criado.QsZ", shared + "/pendente.QsZ", kPlanter);
        makeLink(shared + "/plantado.QsZ", plain + "/corrente.QsZ", kPlanter);
        makeLink(victims + "/meu.QsZ", shared + "/meu.QsZ", saver);
        makeLink(victims + "/do-dono.QsZ", shared + "/do-dono.QsZ", kFolderOwner);
        makeLink(victims + "/aberto.QsZ", plain + "/aberto.QsZ", kPlanter);
        const std::string victim = readFile(victims + "/alvo.QsZ");
        const auto sharedListing = listDirectory(shared);
        const auto victimsListing = listDirectory(victims);

        KESTRIX_EXPECT_IN_CHILD([&]() -> std::string {
            if (saver != 0) {
                if (const std::string failed = test::becomeUser(saver, kSaverGroup);
                    !failed.empty())
                    return failed;
            }
            std::string problems;
            for (const std::string& refused :
                 {shared + "/plantado.QsZ", shared + "/pendente.QsZ", plain + "/corrente.QsZ"}) {
                CharacterFile file;
                const Result result = file.SaveCharacter(refused, newSheet());
                if (!(result == kAccessDenied))
                    problems += refused + " got " + test::describe(result) + "; ";
            }
            for (const std::string& followed :
                 {shared + "/meu.QsZ", shared + "/do-dono.QsZ", plain + "/aberto.QsZ"}) {
                if (const Result error = CharacterFile().SaveCharacter(followed, newSheet()))
                    problems += followed + " not saved: " + test::describe(error) + "; ";
            }
            return problems.empty() ? "" : who + problems;
        });
        EXPECT_EQ(readFile(victims + "/alvo.QsZ"), victim) << who;
        EXPECT_EQ(linkTarget(shared + "/plantado.QsZ"), victims + "/alvo.QsZ") << who;
        EXPECT_EQ(linkTarget(shared + "/pendente.QsZ"), victims + "/criado.QsZ") << who;
        for (const char* name : {"meu.QsZ", "do-dono.QsZ", "aberto.QsZ"})
            EXPECT_EQ(readFile(victims + "/" + name).substr(257, 4), "Novo") << who << name;
        EXPECT_EQ(listDirectory(shared), sharedListing) << who;
        EXPECT_EQ(listDirectory(victims), victimsListing) << who;
    }
}

} // namespace
} // namespace kestrix

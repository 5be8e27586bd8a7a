#include "document/CharacterDocument.h"
#include "document/FileWatch.h"
#include "document/RecoveryKeeper.h"
#include "storage/CharacterFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/Main.h"

#include <QApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sys/stat.h>

namespace kestrix {
namespace {

using test::TestFolder;

bool exists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

class WorkKeptSafeTest : public ::testing::Test {
protected:
    void SetUp() override {
        CharacterFile file;
        CharacterSheet sheet;
        sheet.setName("Salvo");
        ASSERT_FALSE(file.SaveCharacter(folder.path("heroi.QsZ"), sheet));
    }

    // The copy an editor that ended with "Perdido" unsaved in heroi.QsZ left.
    std::string leaveAbandonedCopy() {
        CharacterFile file;
        CharacterSheet sheet;
        EXPECT_FALSE(file.LoadCharacter(folder.path("heroi.QsZ"), sheet));
        sheet.setName("Perdido");
        RecoveryCopy copy;
        copy.writer = {"abcd", 901, 1};
        copy.savedAt = 1796900000;
        copy.filePath = file.currentFileName();
        copy.fileOnDisk = file.onDisk();
        copy.record = file.recordOf(sheet).bytes();
        RecoveryFolder gone(state(), copy.writer);
        EXPECT_FALSE(gone.write(copy));
        return gone.ownCopyPath();
    }
    std::string state() const { return folder.path("state"); }
    RecoveryFolder folderOfThisEditor() {
        return RecoveryFolder(state(), {"abcd", 900, 1},
                              [](const ProcessIdentity& p) { return p.pid == 900; });
    }
    std::string name() const {
        return window->findChild<QLineEdit*>("tx_nome")->text().toStdString();
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    std::unique_ptr<TfrmMain> window;
};

// Sim brings the work back under its file, unsaved; Não throws the copy
// away; Esc leaves it for a later start.
TEST_F(WorkKeptSafeTest, TheNextStartOffersTheWorkBack) {
    const struct {
        const char* what;
        const char* button; // nothing: Esc
        std::string nameAfter;
        bool modified;
        bool oldCopyKept;
    } cases[] = {
        {"Sim", "sim", "Perdido", true, false},
        {"Não", "nao", "Salvo", false, false},
        {"Esc", nullptr, "Salvo", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window.reset();
        const std::string old = leaveAbandonedCopy();
        window = test::startMainWindow(characterDocument, folder.root, folder.path("heroi.QsZ"));
        QString asked;
        QString defaultButton;
        test::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            asked = box->text();
            defaultButton = box->defaultButton()->objectName();
            if (c.button)
                box->findChild<QPushButton*>(c.button)->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        window->keepWorkSafe(folderOfThisEditor(), folder.path("heroi.QsZ"));
        EXPECT_EQ(asked.toStdString(), "Há alterações não salvas de Perdido (" +
                                           folder.path("heroi.QsZ") + ", " +
                                           QDateTime::fromSecsSinceEpoch(1796900000)
                                               .toString("dd/MM/yyyy HH:mm")
                                               .toStdString() +
                                           ") que não chegaram a ser salvas. Recuperar?");
        EXPECT_EQ(defaultButton, "sim");
        EXPECT_EQ(name(), c.nameAfter);
        EXPECT_EQ(characterDocument.isModified(), c.modified);
        EXPECT_EQ(exists(old), c.oldCopyKept);
        // Recovered work is kept by this editor's own copy from the start.
        EXPECT_EQ(exists(window->recoveryKeeper()->folder().ownCopyPath()), c.modified);
        remove(old.c_str());
    }
    // Saved where the user meant: the file it came from, asking nothing.
    window.reset();
    leaveAbandonedCopy();
    window = test::startMainWindow(characterDocument, folder.root);
    test::onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    window->keepWorkSafe(folderOfThisEditor(), "");
    ASSERT_EQ(name(), "Perdido");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(test::errorBoxesDuring(
                  [this] { QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier); }),
              "");
    EXPECT_NE(folder.read("heroi.QsZ").find("Perdido"), std::string::npos);
    EXPECT_FALSE(exists(window->recoveryKeeper()->folder().ownCopyPath()));
}

// With nothing unsaved, the window follows what another program wrote: the
// file's watcher tells it, and the question comes once.
TEST_F(WorkKeptSafeTest, ACleanWindowOffersAnotherProgramsChange) {
    window = test::startMainWindow(characterDocument, folder.root, folder.path("heroi.QsZ"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_EQ(window->fileWatch()->followed().toStdString(), folder.path("heroi.QsZ"));

    int asked = 0;
    test::onNextModal([&](QWidget* modal) {
        ++asked;
        qobject_cast<QMessageBox*>(modal)->findChild<QPushButton*>("sim")->click();
    });
    CharacterFile other;
    CharacterSheet sheet;
    sheet.setName("Mudado");
    ASSERT_FALSE(other.SaveCharacter(folder.path("heroi.QsZ") + ".novo", sheet));
    ASSERT_EQ(
        rename((folder.path("heroi.QsZ") + ".novo").c_str(), folder.path("heroi.QsZ").c_str()), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return name() == "Mudado"; }, 10000));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(characterDocument.isModified());
}

} // namespace
} // namespace kestrix

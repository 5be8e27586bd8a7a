#include "ui/dialogs/FileDialogs.h"

#include "tests/ui/UiTestSupport.h"

#include <QDir>
#include <QFileDialog>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kestrix {
namespace {

// Restores the working directory whatever the test does with it.
class WorkingDirectory {
public:
    WorkingDirectory() : m_saved(QDir::currentPath()) {}
    ~WorkingDirectory() { QDir::setCurrent(m_saved); }

private:
    QString m_saved;
};

// The dialogs are built on first use, after start-up has made the program's
// directory current; each must still open where the program was started.
TEST(FileDialogsTest, ADialogBuiltLaterOpensWhereTheProgramStarted) {
    const WorkingDirectory restore;
    const test::TestFolder started;
    const test::TestFolder program;
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(started.root)));
    FileDialogs dialogs(nullptr);
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(program.root)));

    const struct {
        QFileDialog* (FileDialogs::*dialog)();
        const char* name;
    } cases[] = {{&FileDialogs::openDialog, "opendlg"},
                 {&FileDialogs::saveDialog, "savedlg"},
                 {&FileDialogs::pictureDialog, "opendlgFigura"}};
    for (const auto& c : cases) {
        QFileDialog* dialog = (dialogs.*c.dialog)();
        ASSERT_NE(dialog, nullptr) << c.name;
        EXPECT_EQ(dialog->objectName(), c.name);
        EXPECT_EQ(dialog->directory().canonicalPath(),
                  QDir(QString::fromStdString(started.root)).canonicalPath())
            << c.name;
        EXPECT_EQ((dialogs.*c.dialog)(), dialog) << c.name << " is one object for the run";
        delete dialog;
    }
}

} // namespace
} // namespace kestrix

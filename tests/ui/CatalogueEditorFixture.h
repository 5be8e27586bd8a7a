#pragma once

#include "document/CharacterDocument.h"
#include "document/Document.h"
#include "document/Startup.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/main/Main.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace kestrix::test {

inline std::string readBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return "(missing)";
    return file.readAll().toStdString();
}

// The main window started with the test folder as the program's folder and
// a user and a site folder of its own, never this machine's.
class CatalogueEditorTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    void start() {
        window = std::make_unique<TfrmMain>(characterDocument);
        StartupContext context{folder.root, "", {}, DataFolders{userFolder(), siteFolder(), ""}};
        window->FormCreate(context);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        editor = window->catalogueEditor();
    }
    std::string userFolder() const { return folder.path("dados/kestrix"); }
    std::string siteFolder() const { return folder.path("site"); }
    std::string userFile(const char* name) const { return userFolder() + "/" + name; }

    void openEditor() {
        for (QAction* action : window->menuBar()->actions().first()->menu()->actions()) {
            if (action->text() == QString::fromUtf8("Ca&tálogos ..."))
                action->trigger();
        }
        ASSERT_TRUE(editor->isVisible());
    }
    QPushButton* button(const char* name) { return editor->findChild<QPushButton*>(name); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QModelIndex cell(int row, int column) { return editor->table()->model()->index(row, column); }
    QString text(int row, int column) { return cell(row, column).data().toString(); }
    bool isChecked(int row) { return cell(row, 2).data(Qt::CheckStateRole).toInt() == Qt::Checked; }
    void setCurrent(int row, int column = 0) {
        editor->table()->setCurrentIndex(cell(row, column));
    }
    int currentRow() { return editor->table()->currentIndex().row(); }
    QStringList names() {
        QStringList shown;
        for (int row = 0; row < editor->table()->model()->rowCount(); ++row)
            shown << text(row, 0);
        return shown;
    }
    QStringList mainList(const char* name) {
        auto* model = window->findChild<QListView*>(name)->model();
        QStringList shown;
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->index(row, 0).data().toString();
        return shown;
    }
    // Lets the view take a closed editor's text (it does so queued) and
    // delete the editor.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Types into the cell as a user does: opens its editor, types, Enter.
    void typeInto(int row, int column, const QString& typed) {
        QTableView* table = editor->table();
        setCurrent(row, column);
        table->edit(cell(row, column));
        auto* edit = table->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        test::typeText(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
    }
    // Ticks or unticks the "Custo variável" box, as a click on it does.
    void checkVariable(int row) {
        editor->table()->model()->setData(
            cell(row, 2), isChecked(row) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        QCoreApplication::processEvents();
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
    CatalogueEditor* editor = nullptr;
};

} // namespace kestrix::test

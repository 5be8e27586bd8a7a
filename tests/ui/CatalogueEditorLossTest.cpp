// The catalogue editor never loses an edit unasked: the close question and
// its answers, a save that fails, the variable box, nameless entries,
// imports that replace or lose text, and files of other kinds.

#include "tests/ui/CatalogueEditorFixture.h"
#include "ui/catalogues/CatalogueEditorModel.h"

#include <QAbstractItemModelTester>
#include <QMessageBox>
#include <QRadioButton>
#include <filesystem>
#include <functional>
#include <vector>

namespace kestrix {
namespace {

using List = CatalogueEditor::List;
using test::CatalogueEditorTest;
using test::readBytes;

class CatalogueEditorLossTest : public CatalogueEditorTest {
protected:
    // Runs `action`, answering each question it asks with the button named
    // `answer` ("sim", "nao", "cancelar"), or with "esc" (the Esc key) or "x"
    // (the title bar's close), and each error box with OK. Returns the texts
    // of every box, in order.
    QStringList boxesDuring(const std::function<void()>& action, const QString& answer = "sim") {
        QStringList texts;
        test::runClosingModals(action, [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                texts << "(not a message box)";
                modal->close();
                return;
            }
            // A file's name in a box is text, whatever it looks like.
            texts << box->text() + (box->textFormat() == Qt::PlainText ? "" : " (markup)");
            if (!box->findChild<QPushButton*>("sim"))
                box->accept();
            else if (answer == "esc")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (answer == "x")
                box->close();
            else
                box->findChild<QPushButton*>(answer)->click();
        });
        return texts;
    }
    // The row as the table shows it: name, cost, and "x" for a ticked box.
    QStringList rows() {
        QStringList shown;
        for (int row = 0; row < editor->table()->model()->rowCount(); ++row)
            shown << text(row, 0) + "/" + text(row, 1) + (isChecked(row) ? "/x" : "");
        return shown;
    }
};

// Each action against a plain list of the same entries: the table shows
// what the list holds and the row the action leaves current.
TEST_F(CatalogueEditorLossTest, ActionsMatchAPlainListOfEntries) {
    folder.write("vantagem.lib", "Zelo\r\n1\r\n\xc1gil\r\n2\r\nalerta\r\n3\r\nAgilidade\r\n-1\r\n"
                                 "\xe1gua\r\n4\r\n");
    start();
    openEditor();
    QAbstractItemModelTester tester(editor->model(List::Advantages),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QStringList plain{"Zelo/1", QString::fromUtf8("Ágil/2"), "alerta/3", "Agilidade/Var./x",
                      QString::fromUtf8("água/4")};
    const auto swapRows = [](int a, int b) {
        return [a, b](QStringList& list) { list.swapItemsAt(a, b); };
    };
    const auto removeRow = [](int row) { return [row](QStringList& list) { list.removeAt(row); }; };
    const auto nothing = [](QStringList&) {};
    const struct {
        const char* description;
        int select; // -1: the last row
        const char* button;
        std::function<void(QStringList&)> change;
        int current; // -1: none
    } steps[] = {
        {"Subir at the top does nothing", 0, "cm_subir", nothing, 0},
        {"Descer at the top", 0, "cm_descer", swapRows(0, 1), 1},
        {"Descer at the bottom does nothing", -1, "cm_descer", nothing, 4},
        {"Subir at the bottom", -1, "cm_subir", swapRows(3, 4), 3},
        {"Remover the last", -1, "cm_remover", removeRow(4), 3},
        {"Remover the first", 0, "cm_remover", removeRow(0), 0},
        {"Adicionar after the last", -1, "cm_adicionar",
         [](QStringList& list) { list.append("/"); }, 3},
        {"Ordem alfabética: accents and case do not count", 1, "cm_ordenar",
         [](QStringList& list) {
             list = QStringList{"/", QString::fromUtf8("água/4"), "alerta/3", "Zelo/1"};
         },
         0},
        {"Subir the second", 1, "cm_subir", swapRows(0, 1), 0},
        {"Remover down to the last entry", 0, "cm_remover", removeRow(0), 0},
        {"Remover again", 0, "cm_remover", removeRow(0), 0},
        {"Remover again", 0, "cm_remover", removeRow(0), 0},
        {"Remover the only entry", 0, "cm_remover", removeRow(0), -1},
        {"Subir in an empty list does nothing", 0, "cm_subir", nothing, -1},
        {"Ordem alfabética of nothing", 0, "cm_ordenar", nothing, -1},
        {"Adicionar to an empty list", 0, "cm_adicionar",
         [](QStringList& list) { list.append("/"); }, 0},
    };
    for (const auto& step : steps) {
        const int rowCount = editor->table()->model()->rowCount();
        if (rowCount > 0)
            setCurrent(step.select < 0 ? rowCount - 1 : step.select);
        click(step.button);
        settle();
        step.change(plain);
        EXPECT_EQ(rows(), plain) << step.description;
        EXPECT_EQ(currentRow(), step.current) << step.description;
    }
    EXPECT_TRUE(editor->model(List::Advantages)->isModified());
}

// The close question's three answers, given by button, Esc or the title
// bar, however the editor was closed; and a save that fails.
TEST_F(CatalogueEditorLossTest, ClosingKeepsTheEditsUnlessTheUserSaysOtherwise) {
    const struct {
        const char* description;
        const char* close; // "fechar", "esc" or "x"
        const char* answer;
        bool saveFails;
        bool staysOpen;
        bool written;
    } cases[] = {
        {"Fechar, Cancelar", "fechar", "cancelar", false, true, false},
        {"Esc, Esc", "esc", "esc", false, true, false},
        {"title bar, title bar", "x", "x", false, true, false},
        {"Fechar, Não", "fechar", "nao", false, false, false},
        {"Esc, Sim", "esc", "sim", false, false, true},
        {"Fechar, Sim, the save fails", "fechar", "sim", true, true, false},
    };
    const QString edited = QString::fromUtf8("Ataque Especial");
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder.path("dados"));
        start();
        openEditor();
        setCurrent(0);
        click("cm_remover");
        if (c.saveFails) {
            // A file where the user's data folder should be.
            std::filesystem::create_directories(folder.path("dados"));
            folder.write("dados/kestrix", "");
        }
        const QStringList boxes = boxesDuring(
            [&] {
                const QString how = c.close;
                if (how == "fechar")
                    click("cm_fechar");
                else if (how == "esc")
                    QTest::keyClick(editor->table(), Qt::Key_Escape);
                else
                    editor->close();
            },
            c.answer);
        ASSERT_GE(boxes.size(), 1) << c.description;
        EXPECT_EQ(boxes.front(),
                  QString::fromUtf8("Os catálogos foram alterados. Salvar as alterações?"))
            << c.description;
        EXPECT_EQ(boxes.size(), c.saveFails ? 2 : 1) << c.description;
        EXPECT_EQ(editor->isVisible(), c.staysOpen) << c.description;
        if (c.staysOpen) {
            EXPECT_EQ(names(), QStringList{edited}) << c.description << ": the edits stay";
        }
        EXPECT_EQ(std::filesystem::is_regular_file(userFile("vantagem.lib")), c.written)
            << c.description;
    }
}

// Sair in the main window asks about the edits still open in the editor.
TEST_F(CatalogueEditorLossTest, EndingTheProgramAsksAboutOpenCatalogueEdits) {
    openEditor();
    setCurrent(0);
    click("cm_remover");
    QAction* sair = nullptr;
    for (QAction* action : window->menuBar()->actions().first()->menu()->actions()) {
        if (action->text() == "Sai&r")
            sair = action;
    }
    ASSERT_NE(sair, nullptr);
    EXPECT_EQ(boxesDuring([&] { sair->trigger(); }, "cancelar").size(), 1);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(window->isTerminated());
    EXPECT_EQ(boxesDuring([&] { sair->trigger(); }, "nao").size(), 1);
    EXPECT_TRUE(window->isTerminated());
}

TEST_F(CatalogueEditorLossTest, UntickingTheVariableBoxGivesBackTheCost) {
    openEditor();
    typeInto(0, 1, "3");
    checkVariable(0);
    EXPECT_EQ(text(0, 1), "Var.");
    checkVariable(0);
    EXPECT_EQ(text(0, 1), "3");
    click("cm_salvar");
    EXPECT_EQ(readBytes(userFile("vantagem.lib")),
              "Acelera\xe7\xe3o\r\n3\r\nAtaque Especial\r\n-1\r\n");
}

// Adicionar, Esc, Salvar: the nameless entry is never written, whichever
// list holds it and whichever command would write it.
TEST_F(CatalogueEditorLossTest, AnEntryWithoutANameIsNeverWritten) {
    const struct {
        List holder;
        const char* command;
        const char* message;
    } cases[] = {
        {List::Advantages, "cm_salvar", "A linha 2 de Vantagens/Perícias não tem nome"},
        {List::Disadvantages, "cm_salvar", "A linha 2 de Desvantagens não tem nome"},
        {List::Advantages, "cm_exportar", "A linha 2 de Vantagens/Perícias não tem nome"},
    };
    for (const auto& c : cases) {
        start();
        openEditor();
        if (c.holder == List::Disadvantages)
            editor->findChild<QRadioButton*>("rb_desvantagens")->click();
        setCurrent(0);
        click("cm_adicionar");
        QTest::keyClick(editor->table()->findChild<QLineEdit*>(), Qt::Key_Escape);
        settle();
        editor->findChild<QRadioButton*>("rb_vantagens")->click();
        editor->setNextFileName(QString::fromStdString(folder.path("exportado.lib")));
        const QStringList boxes = boxesDuring([&] { click(c.command); });
        ASSERT_EQ(boxes.size(), 1) << c.message;
        EXPECT_TRUE(boxes.front().startsWith(QString::fromUtf8(c.message)))
            << boxes.front().toStdString();
        EXPECT_EQ(editor->shownList(), c.holder) << c.message;
        EXPECT_EQ(currentRow(), 1) << c.message;
        EXPECT_FALSE(std::filesystem::exists(userFile("vantagem.lib"))) << c.message;
        EXPECT_FALSE(std::filesystem::exists(userFile("desvant.lib"))) << c.message;
        EXPECT_FALSE(std::filesystem::exists(folder.path("exportado.lib"))) << c.message;
    }
}

// Importar says what it replaces, and what the file loses, before it
// replaces anything; a file the program cannot hold is refused by name.
TEST_F(CatalogueEditorLossTest, ImportSaysWhatItReplacesAndLosesFirst) {
    const std::string longName(1 << 20, 'x');
    const struct {
        const char* file;
        std::string bytes;
        const char* answer;
        QStringList boxes;
        QStringList rowsAfter;
    } cases[] = {
        {"setas.txt",
         "Vis\xc3\xa3o\n2\nSeta \xe2\x86\x92\xe2\x86\x92\n1\n",
         "nao",
         {QString::fromUtf8(
             "setas.txt tem 2 caracteres que o Windows-1252 não guarda, o primeiro na linha 3: "
             "eles ficam como \"?\".\n\nSubstituir as 2 entradas mostradas pelas 2 de setas.txt?")},
         {QString::fromUtf8("Aceleração/1"), "Ataque Especial/Var./x"}},
        {"setas.txt",
         "Vis\xc3\xa3o\n2\nSeta \xe2\x86\x92\xe2\x86\x92\n1\n",
         "sim",
         {},
         {QString::fromUtf8("Visão/2"), "Seta ?"
                                        "?/1"}},
        {"longa.lib",
         longName + "\r\n-1\r\n",
         "sim",
         {QString::fromUtf8("1 linha passa de 40 caracteres e é cortada.\n\nSubstituir as 2 "
                            "entradas mostradas pela 1 de longa.lib?")},
         {QString(40, 'x') + "/Var./x"}},
        {"<!--grupo-->.lib",
         "Sorte\r\n1\r\n",
         "nao",
         {QString::fromUtf8("Substituir a 1 entrada mostrada pela 1 de <!--grupo-->.lib?")},
         {QString(40, 'x') + "/Var./x"}},
        {"muitas.lib",
         std::string(2 * Catalogue::kMaxEntries + 1, '\n'),
         "sim",
         {"muitas.lib: Catalogue file has too many entries (at most 1,000,000)."},
         {QString(40, 'x') + "/Var./x"}},
    };
    openEditor();
    for (const auto& c : cases) {
        folder.write(c.file, c.bytes);
        editor->setNextFileName(QString::fromStdString(folder.path(c.file)));
        const QStringList boxes = boxesDuring([&] { click("cm_importar"); }, c.answer);
        if (!c.boxes.isEmpty())
            EXPECT_EQ(boxes, c.boxes) << c.file;
        else
            EXPECT_EQ(boxes.size(), 1) << c.file;
        EXPECT_EQ(rows(), c.rowsAfter) << c.file;
    }
}

// Exportar writes only over a catalogue or a text, never over a picture, a
// character or through a name with a NUL in it.
TEST_F(CatalogueEditorLossTest, ExportNeverWritesOverAFileOfAnotherKind) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    folder.write("retrato.png", png);
    openEditor();
    const struct {
        QString path;
        const char* error;
    } cases[] = {
        {QString::fromStdString(folder.path("retrato.png")),
         "retrato.png: Not a catalogue file; it was left as it was."},
        {QString::fromStdString(folder.path("retrato.png")) + QChar(0) + "/../x.lib",
         "retrato.png: Invalid filename."},
    };
    for (const auto& c : cases) {
        editor->setNextFileName(c.path);
        EXPECT_EQ(boxesDuring([&] { click("cm_exportar"); }), QStringList{c.error});
        EXPECT_EQ(folder.read("retrato.png"), png);
    }
}

// The import and export dialogs open in the user's documents folder, or
// where the last import or export went, never in the program's folder.
TEST_F(CatalogueEditorLossTest, FileDialogsStartInTheDocumentsFolder) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const QString fakeHome = QString::fromStdString(folder.path("casa"));
    std::filesystem::create_directories(folder.path("casa/.config"));
    qputenv("HOME", fakeHome.toUtf8());
    qputenv("XDG_CONFIG_HOME", (fakeHome + "/.config").toUtf8());
    openEditor();
    EXPECT_EQ(editor->fileDialogFolder(), fakeHome) << "without a documents folder";
    std::filesystem::create_directories(folder.path("casa/Documents"));
    EXPECT_EQ(editor->fileDialogFolder(), fakeHome + "/Documents");
    std::filesystem::create_directories(folder.path("grupo"));
    editor->setNextFileName(QString::fromStdString(folder.path("grupo/nossa.lib")));
    boxesDuring([&] { click("cm_exportar"); });
    EXPECT_EQ(editor->fileDialogFolder(), QString::fromStdString(folder.path("grupo")));
    EXPECT_NE(editor->fileDialogFolder(), QString::fromStdString(folder.root));
    qputenv("HOME", home);
    if (config.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", config);
}

} // namespace
} // namespace kestrix

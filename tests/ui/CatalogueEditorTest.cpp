#include "tests/ui/CatalogueEditorFixture.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

using List = CatalogueEditor::List;
using test::CatalogueEditorTest;
using test::readBytes;

TEST_F(CatalogueEditorTest, EditsSavesToTheUsersFolderAndTheMainListsFollow) {
    openEditor();
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("Aceleração"), "Ataque Especial"}));
    EXPECT_EQ(text(1, 1), "Var.");
    EXPECT_TRUE(isChecked(1));

    click("cm_adicionar"); // after the current first row
    QTest::keyClick(editor->table()->findChild<QLineEdit*>(), Qt::Key_Escape);
    settle();
    typeInto(1, 0, QString::fromUtf8("Ágil"));
    typeInto(1, 1, "3");
    checkVariable(0);
    click("cm_ordenar");
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("Aceleração"), QString::fromUtf8("Ágil"),
                                    "Ataque Especial"}));
    click("cm_salvar");

    EXPECT_EQ(readBytes(userFile("vantagem.lib")),
              "Acelera\xe7\xe3o\r\n-1\r\n\xc1gil\r\n3\r\nAtaque Especial\r\n-1\r\n");
    EXPECT_EQ(readBytes(folder.path("vantagem.lib")),
              "Acelera\xe7\xe3o\r\n1\r\nAtaque Especial\r\n-1\r\n")
        << "the shipped file is never written";
    EXPECT_FALSE(std::filesystem::exists(userFile("desvant.lib")))
        << "an untouched list keeps following the shipped one";
    EXPECT_EQ(mainList("ls_Vant"), names());
    EXPECT_EQ(document.advantageCatalogue.shownCost(1), "3");
}

TEST_F(CatalogueEditorTest, RemovesMovesAndMarksTheDisadvantagesMarker) {
    openEditor();
    editor->findChild<QRadioButton*>("rb_desvantagens")->click();
    ASSERT_EQ(editor->shownList(), List::Disadvantages);
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("Código de Honra"), "Inimigo"}));
    setCurrent(1);
    click("cm_subir");
    checkVariable(1); // Código de Honra, now second, becomes variable
    EXPECT_EQ(text(1, 1), "Var.");
    checkVariable(0); // Inimigo is variable no more: its cost is typed
    typeInto(0, 1, "-2");
    click("cm_salvar");
    EXPECT_EQ(readBytes(userFile("desvant.lib")), "Inimigo\r\n-2\r\nC\xf3"
                                                  "digo de Honra\r\n--1\r\n");
    EXPECT_EQ(mainList("ls_DV"), (QStringList{"Inimigo", QString::fromUtf8("Código de Honra")}));

    setCurrent(0);
    click("cm_remover");
    EXPECT_EQ(names(), QStringList{QString::fromUtf8("Código de Honra")});
}

// Closing with unsaved changes asks; "Não" keeps the files as they were and
// the next opening offers the lists in effect.
TEST_F(CatalogueEditorTest, ClosingAsksBeforeChangesAreLost) {
    openEditor();
    setCurrent(0);
    click("cm_remover");
    QString asked;
    test::onNextModal([&](QWidget* modal) {
        asked = qobject_cast<QMessageBox*>(modal)->text();
        modal->findChild<QPushButton*>("nao")->click();
    });
    click("cm_fechar");
    EXPECT_FALSE(asked.isEmpty());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(std::filesystem::exists(userFile("vantagem.lib")));
    openEditor();
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("Aceleração"), "Ataque Especial"}));
}

// Names stop where an item line (cost, blank, name) is full; characters the
// code page lacks are refused as they are typed.
TEST_F(CatalogueEditorTest, NamesTakeWhatAnItemLineHoldsInWindows1252) {
    openEditor();
    typeInto(0, 0, QString(50, 'x') + QString::fromUtf8("→"));
    EXPECT_EQ(text(0, 0), QString(38, 'x'));
}

TEST_F(CatalogueEditorTest, RestoreRemovesTheUsersCopyAfterAsking) {
    std::filesystem::create_directories(userFolder());
    QFile file(QString::fromStdString(userFile("vantagem.lib")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Minha\r\n5\r\n");
    file.close();
    start();
    EXPECT_EQ(mainList("ls_Vant"), QStringList{"Minha"});
    openEditor();

    for (const bool yes : {false, true}) {
        QString asked;
        test::onNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            asked = box->text();
            box->findChild<QPushButton*>(yes ? "sim" : "nao")->click();
        });
        click("cm_restaurar");
        EXPECT_TRUE(asked.contains("vantagem.lib")) << asked.toStdString();
        EXPECT_EQ(std::filesystem::exists(userFile("vantagem.lib")), !yes);
    }
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("Aceleração"), "Ataque Especial"}));
    EXPECT_EQ(mainList("ls_Vant"), names());
}

// The shipped catalogues pass through the editor unchanged, byte for byte.
TEST_F(CatalogueEditorTest, TheShippedCataloguesRoundTripByteIdentical) {
    for (const char* name : {"vantagem.lib", "desvant.lib"}) {
        const std::string shipped = readBytes(std::string(KESTRIX_DATA_DIR) + "/" + name);
        folder.write(name, shipped);
    }
    start();
    openEditor();
    click("cm_salvar");
    editor->findChild<QRadioButton*>("rb_desvantagens")->click();
    click("cm_salvar");
    for (const char* name : {"vantagem.lib", "desvant.lib"})
        EXPECT_EQ(readBytes(userFile(name)), readBytes(std::string(KESTRIX_DATA_DIR) + "/" + name))
            << name;
}

TEST_F(CatalogueEditorTest, ImportsUtf8AndWindows1252AndExportsWindows1252) {
    openEditor();
    const struct {
        const char* file;
        std::string bytes;
        bool saysUtf8;
    } cases[] = {
        {"utf8.txt", "Vis\xc3\xa3o Noturna\n2\nCora\xc3\xa7\xc3\xa3o\n-1\n", true},
        {"cp1252.lib", "Vis\xe3o Noturna\r2\rCora\xe7\xe3o\r-1\r", false},
    };
    for (const auto& c : cases) {
        folder.write(c.file, c.bytes);
        editor->setNextFileName(QString::fromStdString(folder.path(c.file)));
        test::onNextModal([](QWidget* modal) { modal->findChild<QPushButton*>("sim")->click(); });
        click("cm_importar");
        EXPECT_EQ(names(),
                  (QStringList{QString::fromUtf8("Visão Noturna"), QString::fromUtf8("Coração")}))
            << c.file;
        EXPECT_EQ(editor->statusLine()->text().contains("UTF-8"), c.saysUtf8) << c.file;
        editor->setNextFileName(QString::fromStdString(folder.path("exportado.lib")));
        click("cm_exportar");
        EXPECT_EQ(folder.read("exportado.lib"), "Vis\xe3o Noturna\r\n2\r\nCora\xe7\xe3o\r\n-1\r\n")
            << c.file;
    }
}

// A catalogue someone saved as UTF-8 shows its accents, and the editor says
// once how it was read.
TEST_F(CatalogueEditorTest, AUtf8CatalogueOnDiskIsReadAsUtf8) {
    folder.write("vantagem.lib", "Acelera\xc3\xa7\xc3\xa3o\r\n1\r\nSorte");
    start();
    EXPECT_EQ(mainList("ls_Vant"), (QStringList{QString::fromUtf8("Aceleração"), "Sorte"}));
    openEditor();
    EXPECT_TRUE(editor->statusLine()->text().contains("UTF-8"));
    EXPECT_EQ(text(1, 1), "");
}

// Characters store the default picture by its bare name; the user's copy
// comes first, as for every data file.
TEST_F(CatalogueEditorTest, TheDefaultPictureComesFromTheUsersFolder) {
    std::filesystem::create_directories(userFolder());
    QImage mine(3, 2, QImage::Format_RGB32);
    mine.fill(Qt::red);
    ASSERT_TRUE(mine.save(QString::fromStdString(userFile("modelo.bmp")), "BMP"));
    start();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier); // Novo: the blank character
    EXPECT_EQ(document.sheet.picturePath(), "modelo.bmp");
    EXPECT_EQ(window->shownPicture().image.size(), QSize(3, 2));
}

} // namespace
} // namespace kestrix

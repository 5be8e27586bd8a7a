#include "print/qt/SheetPrintDialog.h"
#include "storage/CharacterFile.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/FileDialogs.h"
#include "ui/dialogs/SavePromptDialog.h"
#include "ui/dialogs/desvant.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/vant.h"
#include "ui/form/FormLayout.h"
#include "ui/form/QtTranslations.h"
#include "ui/main/FileDropTarget.h"
#include "ui/main/Main.h"
#include "ui/main/RecentCharactersMenu.h"

#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QUrl>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace kestrix {
namespace {

using test::TestFolder;

QStringList buttonTexts(const QWidget* dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisibleTo(dialog))
            texts.append(button->text().remove(u'&'));
    return texts;
}

// Qt's dialogs are built after the translations are in, as in the program.
TEST(QtTranslationsTest, QtsOwnDialogsSpeakPortuguese) {
    ASSERT_TRUE(installQtTranslations(*qApp)) << "qt6-translations-l10n is missing";

    FileDialogs dialogs(nullptr);
    std::unique_ptr<QFileDialog> open(dialogs.openDialog());
    const QStringList openButtons = buttonTexts(open.get());
    EXPECT_TRUE(openButtons.contains("Abrir")) << openButtons.join(", ").toStdString();
    EXPECT_TRUE(openButtons.contains("Cancelar")) << openButtons.join(", ").toStdString();

    QPrinter printer;
    SheetPrintDialog print(&printer);
    const QStringList printButtons = buttonTexts(&print);
    EXPECT_TRUE(printButtons.contains("Imprimir")) << printButtons.join(", ").toStdString();
    EXPECT_TRUE(printButtons.contains("Cancelar")) << printButtons.join(", ").toStdString();

    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// The main window, with the user's settings in a folder of the test's own.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settingsFolder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
        window = test::startMainWindow(characterDocument, folder.root);
    }
    void TearDown() override {
        if (window->addvant())
            window->addvant()->hide();
    }

    template <typename T> T* child(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString path(const std::string& name) const {
        return QString::fromStdString(folder.path(name));
    }
    void saveCharacter(const std::string& name, const std::string& characterName) {
        CharacterSheet sheet;
        sheet.setName(characterName);
        ASSERT_FALSE(CharacterFile().SaveCharacter(folder.path(name), sheet));
    }
    void open(const std::string& name) {
        window->fileDialogs().setNextFileName(path(name));
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    }
    void makeDirty() { QTest::keyClicks(child<QLineEdit>("tx_nome"), "!"); }

    QMenu* fileMenu() { return window->menuBar()->actions().constFirst()->menu(); }

    QTemporaryDir settingsFolder;
    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

// ---- keyboard ----

struct ListKey {
    const char* list;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool acts;
};

TEST_F(DesktopTest, KeysInACatalogueAcquireTheSelectedEntryAsADoubleClickDoes) {
    const ListKey cases[] = {
        {"ls_Vant", Qt::Key_Return, {}, true},
        {"ls_Vant", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"ls_Vant", Qt::Key_Space, {}, true},
        {"ls_DV", Qt::Key_Return, {}, true},
        {"ls_DV", Qt::Key_Space, {}, true},
        {"ls_Vant", Qt::Key_Delete, {}, false},
        {"ls_Vant", Qt::Key_Return, Qt::ControlModifier, false},
    };
    for (const ListKey& c : cases) {
        auto* list = child<QListView>(c.list);
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, c.key, c.modifiers);
        AddItemDialog* dialog = std::string(c.list) == "ls_Vant"
                                    ? static_cast<AddItemDialog*>(window->addvant())
                                    : static_cast<AddItemDialog*>(window->addDV());
        EXPECT_EQ(dialog->isVisible(), c.acts) << c.list << " key " << c.key;
        EXPECT_EQ(window->isEnabled(), !c.acts) << c.list << " key " << c.key;
        if (c.acts) {
            EXPECT_EQ(dialog->nameEdit()->text(), list->model()->index(0, 0).data().toString());
            QTest::mouseClick(dialog->findChild<QPushButton*>("cm_cancelar"), Qt::LeftButton);
        }
        ASSERT_TRUE(window->isEnabled());
    }
}

// Tabbing into a list makes its first row current without selecting it: the
// keys act on the row the list shows, even with a single acquired line.
TEST_F(DesktopTest, KeysActOnTheCurrentRowWhenNothingIsSelected) {
    const ListKey cases[] = {
        {"ls_Vant", Qt::Key_Return, {}, true},
        {"ls_Vant", Qt::Key_Space, {}, true},
        {"ls_DV", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"ls_vant_adq", Qt::Key_Delete, {}, true},
        {"ls_DV_adq", Qt::Key_Return, {}, true},
        {"ls_vant_adq", Qt::Key_Space, {}, false},
    };
    for (const ListKey& c : cases) {
        const std::string name = c.list;
        const bool catalogue = name == "ls_Vant" || name == "ls_DV";
        document.sheet.addAdvantage("2", "Sorte");
        document.sheet.addDisadvantage("-1", "Azar");
        window->sheetReplaced();
        document.sheet.clearModified();
        auto* list = child<QAbstractItemView>(c.list);
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                                QItemSelectionModel::Clear);
        list->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(list->selectionModel()->selectedRows().isEmpty()) << c.list;

        QTest::keyClick(list, c.key, c.modifiers);
        if (catalogue) {
            AddItemDialog* dialog = name == "ls_Vant"
                                        ? static_cast<AddItemDialog*>(window->addvant())
                                        : static_cast<AddItemDialog*>(window->addDV());
            EXPECT_TRUE(dialog->isVisible()) << c.list << " key " << c.key;
            EXPECT_EQ(dialog->nameEdit()->text(), list->model()->index(0, 0).data().toString());
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        } else {
            EXPECT_EQ(list->model()->rowCount(), c.acts ? 0 : 1) << c.list << " key " << c.key;
            EXPECT_EQ(document.sheet.isModified(), c.acts) << c.list << " key " << c.key;
        }
        ASSERT_TRUE(window->isEnabled());
        while (!document.sheet.advantages().empty())
            document.sheet.removeAdvantage(0);
        while (!document.sheet.disadvantages().empty())
            document.sheet.removeDisadvantage(0);
    }

    // With no row current there is nothing to act on.
    auto* list = child<QListView>("ls_Vant");
    list->setCurrentIndex(QModelIndex());
    list->selectionModel()->clearSelection();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(window->addvant()->isVisible());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(DesktopTest, KeysInAnAcquiredListRemoveTheSelectedLineAsADoubleClickDoes) {
    const ListKey cases[] = {
        {"ls_vant_adq", Qt::Key_Delete, {}, true},
        {"ls_vant_adq", Qt::Key_Return, {}, true},
        {"ls_DV_adq", Qt::Key_Delete, {}, true},
        {"ls_DV_adq", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"ls_vant_adq", Qt::Key_Space, {}, false},
        {"ls_DV_adq", Qt::Key_Delete, Qt::ShiftModifier, false},
    };
    for (const ListKey& c : cases) {
        document.sheet.addAdvantage("2", "Sorte");
        document.sheet.addAdvantage("3", "Riqueza");
        document.sheet.addDisadvantage("-1", "Azar");
        document.sheet.addDisadvantage("-2", "Inimigo");
        window->sheetReplaced();
        document.sheet.clearModified();
        auto* list = child<QListWidget>(c.list);
        list->setCurrentRow(1);
        QTest::keyClick(list, c.key, c.modifiers);
        EXPECT_EQ(list->count(), c.acts ? 1 : 2) << c.list << " key " << c.key;
        EXPECT_EQ(document.sheet.isModified(), c.acts) << c.list << " key " << c.key;
        if (c.acts) {
            EXPECT_EQ(list->item(0)->text(),
                      std::string(c.list) == "ls_vant_adq" ? "2 Sorte" : "-1 Azar");
        }
        while (!document.sheet.advantages().empty())
            document.sheet.removeAdvantage(0);
        while (!document.sheet.disadvantages().empty())
            document.sheet.removeDisadvantage(0);
    }
}

// ---- screen readers ----

QString accessibleText(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QString();
}

TEST_F(DesktopTest, EveryEditListAndButtonHasAnAccessibleName) {
    const struct {
        const char* control;
        const char* name;
    } named[] = {
        {"tx_nome", "Nome:"},
        {"tx_poderdefogo", "PODER DE FOGO:"},
        {"ls_Vant", "Vantagens/Perícias disponíveis:"},
        {"ls_vant_adq", "Vantagens/Perícias Adquiridas:"},
        {"ls_DV_adq", "Desvantagens Adquiridas:"},
        {"tx_fogo", "FOGO:"},
        {"tx_agua", "ÁGUA:"},
        {"tx_trevas", "TREVAS:"},
        {"Mm_observ", "Observações (Não serão impressas):"},
        {"BitBtn3", "Figura..."},
    };
    for (const auto& c : named)
        EXPECT_EQ(accessibleText(child<QWidget>(c.control), QAccessible::Name),
                  QString::fromUtf8(c.name))
            << c.control;

    // Whatever the window holds now or later: nothing a screen reader
    // reaches goes unnamed.
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
            qobject_cast<QAbstractButton*>(w) || qobject_cast<QPlainTextEdit*>(w))
            controls.append(w);
    for (QWidget* dialog :
         {static_cast<QWidget*>(window->addvant()), static_cast<QWidget*>(window->addDV())})
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w))
                controls.append(w);
    for (QWidget* control : controls) {
        if (control->objectName().startsWith("qt_")) // scroll bars' own parts
            continue;
        // A table's headers and corner are parts of the table, which a screen
        // reader reads as one.
        if (qobject_cast<QAbstractItemView*>(control->parentWidget()))
            continue;
        EXPECT_FALSE(accessibleText(control, QAccessible::Name).isEmpty())
            << control->metaObject()->className() << " " << control->objectName().toStdString();
    }
}

TEST_F(DesktopTest, PictureButtonsSayWhatTheyDoInPortuguese) {
    QStringList descriptions;
    for (const char* button : {"BitBtn3", "BitBtn4", "BitBtn5"}) {
        const QString description =
            accessibleText(child<QToolButton>(button), QAccessible::Description);
        EXPECT_FALSE(description.isEmpty()) << button;
        descriptions.append(description);
    }
    descriptions.removeDuplicates();
    EXPECT_EQ(descriptions.size(), 3) << "each says its own";
}

TEST(AcceleratorTest, AccessibleNamesDropOnlyTheMark) {
    const struct {
        const char* caption;
        const char* name;
    } cases[] = {{"&Nome:", "Nome:"}, {"Custo:", "Custo:"}, {"A && B", "A & B"},
                 {"&&&Sim", "&Sim"},  {"fim&", "fim"},      {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(withoutAccelerator(QString::fromUtf8(c.caption)), QString::fromUtf8(c.name))
            << c.caption;
}

// ---- recent characters ----

QStringList entryTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// The menu's entries from its first separator on: the recent characters and
// Sair, whatever commands stand above them.
QStringList recentSection(QMenu* menu) {
    const QStringList texts = entryTexts(menu);
    return texts.mid(texts.indexOf(QStringLiteral("-")));
}

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->isVisible() && action->text() == text)
            return action;
    return nullptr;
}

TEST_F(DesktopTest, TheFileMenuListsTheCharactersOpenedOrSavedLatest) {
    saveCharacter("a.QsZ", "Ana");
    saveCharacter("b&c.QsZ", "Bia");
    EXPECT_EQ(recentSection(fileMenu()), (QStringList{"-", "Sai&r"}));

    open("a.QsZ");
    open("b&c.QsZ");
    makeDirty();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier); // saved where it was
    window->fileDialogs().setNextFileName(path("d.QsZ"));
    entry(fileMenu(), "Salvar &Como ...")->trigger();
    EXPECT_EQ(recentSection(fileMenu()),
              (QStringList{"-", "&1 d.QsZ", "&2 b&&c.QsZ", "&3 a.QsZ", "-", "Sai&r"}));
    EXPECT_EQ(entry(fileMenu(), "&2 b&&c.QsZ")->toolTip(), path("b&c.QsZ"));

    // Kept for the next run.
    CharacterDocument another;
    auto second = test::startMainWindow(another, folder.root);
    QMenu* menu = second->menuBar()->actions().constFirst()->menu();
    emit menu->aboutToShow();
    EXPECT_EQ(recentSection(menu).mid(1, 3), (QStringList{"&1 d.QsZ", "&2 b&&c.QsZ", "&3 a.QsZ"}));
}

TEST_F(DesktopTest, ChoosingARecentCharacterOpensItAsOpenDoes) {
    saveCharacter("a.QsZ", "Ana");
    saveCharacter("b.QsZ", "Bia");
    open("a.QsZ");
    open("b.QsZ");
    makeDirty();

    // Cancelar keeps the changes and the list.
    test::onNextModal([](QWidget* modal) {
        EXPECT_NE(qobject_cast<TfrmDialogNovo*>(modal), nullptr);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    entry(fileMenu(), "&2 a.QsZ")->trigger();
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Bia!");

    test::onNextModal([](QWidget* modal) {
        QTest::mouseClick(static_cast<SavePromptDialog*>(modal)->naoButton(), Qt::LeftButton);
    });
    entry(fileMenu(), "&2 a.QsZ")->trigger();
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Ana");
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_EQ(document.file.currentFileName(), folder.path("a.QsZ"));
    EXPECT_EQ(recentSection(fileMenu()).mid(1, 2), (QStringList{"&1 a.QsZ", "&2 b.QsZ"}));
}

TEST_F(DesktopTest, ARecentCharacterThatIsGoneIsReportedAndDropped) {
    saveCharacter("a.QsZ", "Ana");
    saveCharacter("b.QsZ", "Bia");
    open("a.QsZ");
    open("b.QsZ");
    makeDirty();
    std::filesystem::remove(folder.path("a.QsZ"));

    // Reported before any prompt: there is nothing to open after it.
    const QString shown = test::errorBoxesDuring([&] { entry(fileMenu(), "&2 a.QsZ")->trigger(); });
    EXPECT_EQ(shown, "File not found.");
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Bia!");
    EXPECT_EQ(recentSection(fileMenu()), (QStringList{"-", "&1 b.QsZ", "-", "Sai&r"}));
}

// ---- drag and drop ----

std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

// A drag entering `target` and, when it is accepted, dropped there. Returns
// whether the drop was accepted. The drag proposes a move, as a file manager
// does while Shift is held: what is taken must still be taken as a copy, or
// the file manager deletes the user's file.
bool dropOn(QWidget* target, const QMimeData* data) {
    const QPoint at = target->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, offered, data, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(enter.proposedAction(), Qt::MoveAction);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDragMoveEvent move(at, offered, data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(target, &move);
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(at), offered, data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    // The file is taken once the drop has finished.
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

TEST(DroppedFileTest, TakesOneLocalCharacterOrPictureBySuffix) {
    using Kind = DroppedFile::Kind;
    const struct {
        QStringList paths;
        Kind kind;
    } cases[] = {
        {{"/tmp/a.QsZ"}, Kind::Character},
        {{"/tmp/a.qsz"}, Kind::Character},
        {{"/tmp/f.bmp"}, Kind::Picture},
        {{"/tmp/f.ICO"}, Kind::Picture},
        {{"/tmp/f.wmf"}, Kind::Picture},
        {{"/tmp/f.emf"}, Kind::Picture},
        {{"/tmp/f.png"}, Kind::Picture},
        {{"/tmp/f.JPG"}, Kind::Picture},
        {{"/tmp/f.jpeg"}, Kind::Picture},
        {{"/tmp/f.gif"}, Kind::Picture},
        {{"/tmp/f.tiff"}, Kind::None},
        {{"/tmp/QsZ"}, Kind::None},
        {{"/tmp/a.QsZ", "/tmp/b.QsZ"}, Kind::None},
    };
    for (const auto& c : cases) {
        const auto data = filesData(c.paths);
        EXPECT_EQ(droppedFile(data.get()).kind, c.kind) << c.paths.join(" ").toStdString();
    }
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/a.QsZ")});
    EXPECT_EQ(droppedFile(&remote).kind, Kind::None);
    QMimeData text;
    text.setText("/tmp/a.QsZ");
    EXPECT_EQ(droppedFile(&text).kind, Kind::None);
}

TEST_F(DesktopTest, ACharacterDroppedOnTheWindowOpensAsOpenDoes) {
    saveCharacter("solto.QsZ", "Solto");
    makeDirty();
    const auto data = filesData({path("solto.QsZ")});

    bool asked = false;
    test::onNextModal([&](QWidget* modal) {
        asked = qobject_cast<TfrmDialogNovo*>(modal) != nullptr;
        QTest::mouseClick(static_cast<SavePromptDialog*>(modal)->naoButton(), Qt::LeftButton);
    });
    // Dropped on the name, it opens rather than typing its address there.
    ASSERT_TRUE(dropOn(child<QLineEdit>("tx_nome"), data.get()));
    EXPECT_TRUE(asked);
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Solto");
    EXPECT_FALSE(document.sheet.isModified());
    EXPECT_EQ(document.file.currentFileName(), folder.path("solto.QsZ"));

    document.sheet.clearModified();
    saveCharacter("outro.QsZ", "Outro");
    ASSERT_TRUE(dropOn(window.get(), filesData({path("outro.QsZ")}).get()));
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), "Outro");
}

TEST_F(DesktopTest, APictureDroppedOnThePictureBoxIsTakenAsFiguraTakesIt) {
    QImage image(8, 12, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path("retrato.bmp"), "BMP"));
    const auto data = filesData({path("retrato.bmp")});

    EXPECT_FALSE(dropOn(window.get(), data.get())) << "only the picture box takes pictures";
    EXPECT_FALSE(document.sheet.isModified());

    ASSERT_TRUE(dropOn(child<QLabel>("figura"), data.get()));
    EXPECT_EQ(window->shownPicture().image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(document.sheet.picturePath(), folder.path("retrato.bmp"));
    EXPECT_TRUE(document.sheet.isModified());

    // A broken picture is reported as "Figura..." reports it.
    folder.write("quebrada.bmp", "BM");
    const QString shown = test::errorBoxesDuring(
        [&] { dropOn(child<QLabel>("figura"), filesData({path("quebrada.bmp")}).get()); });
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(window->shownPicture().image.pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(DesktopTest, ADroppedFileThatIsNoRegularFileIsRefusedUnopened) {
    saveCharacter("solto.QsZ", "Solto");
    ASSERT_EQ(mkfifo(folder.path("cano.bmp").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(folder.path("cano.QsZ").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.path("pasta.bmp"));
    // Cut at the NUL, this would name solto.QsZ.
    const QString withNul = path("solto.QsZ") + QChar(0) + ".QsZ";
    ASSERT_TRUE(droppedFile(filesData({withNul}).get()).path.contains(QChar(0)));
    makeDirty();
    const QString nameBefore = child<QLineEdit>("tx_nome")->text();
    const std::string fileBefore = document.file.currentFileName();
    const QImage shownBefore = window->shownPicture().image;

    const struct {
        QString path;
        const char* target;
        QString error;
    } cases[] = {
        // Opened, a named pipe would wait for a writer for good.
        {path("cano.bmp"), "figura", "File access denied."},
        {path("cano.QsZ"), "tx_nome", "File access denied."},
        {path("pasta.bmp"), "figura", "File access denied."},
        {withNul, "tx_nome", "Invalid filename."},
    };
    for (const auto& c : cases) {
        const auto data = filesData({c.path});
        bool accepted = false;
        // The error comes before any question about the changed sheet.
        const QString shown = test::errorBoxesDuring(
            [&] { accepted = dropOn(window->findChild<QWidget*>(c.target), data.get()); });
        EXPECT_TRUE(accepted) << c.path.toStdString();
        EXPECT_EQ(shown, c.error) << c.path.toStdString();
    }
    EXPECT_EQ(child<QLineEdit>("tx_nome")->text(), nameBefore);
    EXPECT_EQ(document.file.currentFileName(), fileBefore);
    EXPECT_EQ(window->shownPicture().image, shownBefore);
}

} // namespace
} // namespace kestrix

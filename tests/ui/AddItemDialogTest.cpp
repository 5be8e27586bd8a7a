#include "platform/TextConversion.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/desvant.h"
#include "ui/dialogs/massage.h"
#include "ui/dialogs/massage2.h"
#include "ui/dialogs/vant.h"
#include "ui/main/Main.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace kestrix {
namespace {

using test::TestFolder;
using test::typeText;

// What differs between acquiring an advantage and a disadvantage. The test
// catalogues hold, for each, one entry with a fixed cost (row 0) and one with
// a variable cost (row 1).
struct Side {
    const char* description;
    const char* catalogueList;
    const char* acquiredList;
    const char* totalLabel;
    AddItemDialog* (*dialog)(const TfrmMain&);
    const std::vector<std::string>& (CharacterSheet::*lines)() const;
    void (CharacterSheet::*add)(const std::string&, const std::string&);
    QString fixedName;
    QString fixedCost;
    QString variableName;
};

void PrintTo(const Side& side, std::ostream* os) {
    *os << side.description;
}

const Side kAdvantage{
    "advantage",
    "ls_Vant",
    "ls_vant_adq",
    "lb_vanttotal",
    [](const TfrmMain& w) -> AddItemDialog* { return w.addvant(); },
    &CharacterSheet::advantages,
    &CharacterSheet::addAdvantage,
    QString::fromUtf8("Aceleração"),
    "1",
    "Ataque Especial",
};
const Side kDisadvantage{
    "disadvantage",
    "ls_DV",
    "ls_DV_adq",
    "lb_DVtotal",
    [](const TfrmMain& w) -> AddItemDialog* { return w.addDV(); },
    &CharacterSheet::disadvantages,
    &CharacterSheet::addDisadvantage,
    QString::fromUtf8("Código de Honra"),
    "-1",
    "Inimigo",
};

class AddItemTest : public ::testing::TestWithParam<Side> {
protected:
    void SetUp() override { window = test::startMainWindow(characterDocument, folder.root); }
    void TearDown() override {
        for (QWidget* w :
             {static_cast<QWidget*>(window->msgbox()), static_cast<QWidget*>(window->msgbox2()),
              static_cast<QWidget*>(dialog())})
            w->hide();
    }

    const Side& side() const { return GetParam(); }
    AddItemDialog* dialog() const { return side().dialog(*window); }
    template <typename T> T* child(const char* name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    const std::vector<std::string>& lines() const { return (document.sheet.*side().lines)(); }
    QListWidget* acquired() const { return child<QListWidget>(side().acquiredList); }

    void fill(int count) {
        for (int i = 0; i < count; ++i)
            (document.sheet.*side().add)("1", "Item " + std::to_string(i));
        window->sheetReplaced();
        document.sheet.clearModified();
    }

    // The user's double-click on a catalogue entry: the first click selects.
    void doubleClickEntry(int row) {
        QListView* list = child<QListView>(side().catalogueList);
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

TEST_P(AddItemTest, OpensFilledFromTheEntryAndAppendsTheLineOnOk) {
    doubleClickEntry(0);
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(document.sheet.isModified());
    EXPECT_EQ(dialog()->nameEdit()->text(), side().fixedName);
    EXPECT_EQ(dialog()->costEdit()->text(), side().fixedCost);

    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(window->isEnabled());
    ASSERT_EQ(acquired()->count(), 1);
    EXPECT_EQ(acquired()->item(0)->text(), side().fixedCost + " " + side().fixedName);
    EXPECT_EQ(lines().back(), toWindows1252(side().fixedCost + " " + side().fixedName));
    EXPECT_EQ(child<QLabel>(side().totalLabel)->text(), "1");
}

TEST_P(AddItemTest, TheTenthLineIsTheLast) {
    fill(9);
    doubleClickEntry(0);
    ASSERT_TRUE(dialog()->isVisible());
    QTest::keyClick(dialog()->nameEdit(), Qt::Key_Return);
    ASSERT_EQ(lines().size(), 10u);
    EXPECT_EQ(acquired()->count(), 10);
    EXPECT_TRUE(window->isEnabled());

    document.sheet.clearModified();
    doubleClickEntry(0);
    EXPECT_FALSE(dialog()->isVisible());
    NoticeBox* notice = window->msgbox2();
    ASSERT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->textLabel()->text(), "Essa lista nao pode conter mais de 10 itens.");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_FALSE(document.sheet.isModified());

    QTest::mouseClick(notice->okButton(), Qt::LeftButton);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(lines().size(), 10u);
}

TEST_P(AddItemTest, AVariableCostMustBeTypedAndAWordCountsZero) {
    doubleClickEntry(1);
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_EQ(dialog()->nameEdit()->text(), side().variableName);
    EXPECT_EQ(dialog()->costEdit()->text(), "");

    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    NoticeBox* notice = window->msgbox();
    ASSERT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->textLabel()->text(),
              QString::fromUtf8("Digite um valor para o custo ou bônus."));
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(window->isEnabled());
    EXPECT_TRUE(lines().empty());

    QTest::keyClick(notice->okButton(), Qt::Key_Return);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(window->isEnabled()) << "the value-required notice must not unlock the window";

    QTest::keyClicks(dialog()->costEdit(), "muito");
    QTest::keyClick(dialog()->costEdit(), Qt::Key_Return);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(acquired()->item(0)->text(), "muito " + side().variableName);
    EXPECT_EQ(child<QLabel>(side().totalLabel)->text(), "0");
    EXPECT_EQ(child<QLabel>("lb_total")->text(), "0");
}

TEST_P(AddItemTest, EditedTextSurvivesTheNoticeAndARepaint) {
    doubleClickEntry(1);
    QLineEdit* name = dialog()->nameEdit();
    name->selectAll();
    QTest::keyClicks(name, "  Meu nome");
    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(window->msgbox()->isVisible());
    window->msgbox()->close(); // the title-bar close
    dialog()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(name->text(), "  Meu nome");

    QTest::keyClicks(dialog()->costEdit(), "3");
    dialog()->repaint();
    QApplication::processEvents();
    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines().front(), "3   Meu nome") << "the name is kept as typed, blanks included";
}

TEST_P(AddItemTest, CancelAddsNothingButLeavesTheSheetModified) {
    fill(2);
    doubleClickEntry(0);
    QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(lines().size(), 2u);
    EXPECT_EQ(acquired()->count(), 2);
    EXPECT_TRUE(document.sheet.isModified());
}

TEST_P(AddItemTest, TheWindowIgnoresTheUserWhileTheDialogIsOpen) {
    fill(1);
    doubleClickEntry(0);
    ASSERT_TRUE(dialog()->isVisible());
    QLineEdit* typedName = dialog()->nameEdit();
    typedName->setText("digitado");

    // A double-click that would remove an acquired line, typing into the
    // name, a second double-click on the catalogue: none reaches the sheet.
    QListWidget* list = acquired();
    const QPoint line = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
    QTest::keyClicks(child<QLineEdit>("tx_nome"), "x");
    doubleClickEntry(1);
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_EQ(document.sheet.name(), "Nome do Personagem");
    EXPECT_EQ(typedName->text(), "digitado");
    EXPECT_FALSE(window->isEnabled());

    auto prompted = std::make_shared<bool>(false);
    test::onNextModal([prompted](QWidget* modal) {
        *prompted = true;
        modal->close();
    });
    window->close(); // the window manager's close button
    EXPECT_FALSE(*prompted) << "Exit ran behind the open dialog";
    EXPECT_TRUE(window->isVisible());

    QTest::keyClick(typedName, Qt::Key_Escape);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
    EXPECT_TRUE(lines().empty());
}

TEST_P(AddItemTest, TheSameWindowsServeEveryOpening) {
    fill(CharacterSheet::kMaxItems - 1);
    AddItemDialog* first = dialog();
    Tmsgbox2* full = window->msgbox2();
    for (int round = 0; round < 2; ++round) {
        doubleClickEntry(0);
        EXPECT_TRUE(first->isVisible());
        QTest::mouseClick(first->cancelButton(), Qt::LeftButton);
    }
    fill(1);
    for (int round = 0; round < 2; ++round) {
        doubleClickEntry(0);
        EXPECT_TRUE(full->isVisible());
        full->close();
    }
    EXPECT_EQ(dialog(), first);
    EXPECT_EQ(window->msgbox2(), full);
    int addDialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        addDialogs += qobject_cast<AddItemDialog*>(w) != nullptr;
    EXPECT_EQ(addDialogs, 2);
}

TEST_P(AddItemTest, ADoubleClickWithNothingSelectedDoesNothing) {
    QListView* list = child<QListView>(side().catalogueList);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(document.sheet.isModified());
}

INSTANTIATE_TEST_SUITE_P(Lists, AddItemTest, ::testing::Values(kAdvantage, kDisadvantage),
                         [](const auto& info) { return std::string(info.param.description); });

TEST_P(AddItemTest, TheKeyboardNeverLandsWhereTypingDestroysData) {
    QListView* list = child<QListView>(side().catalogueList);
    QLineEdit* nome = child<QLineEdit>("tx_nome");
    const QString name = nome->text();
    const std::pair<const char*, Qt::Key> closings[] = {{"added", Qt::Key_Return},
                                                        {"cancelled", Qt::Key_Escape}};
    for (const auto& [description, key] : closings) {
        SCOPED_TRACE(description);
        doubleClickEntry(0);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
        QTest::keyClick(QApplication::focusWidget(), key);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(QApplication::focusWidget(), list) << "back to the list it came from";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        EXPECT_EQ(nome->text(), name);
    }

    // A cost left empty: the notice sends the keyboard back to the cost.
    doubleClickEntry(1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->msgbox()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
    QTest::keyClicks(QApplication::focusWidget(), "3");
    EXPECT_EQ(dialog()->costEdit()->text(), "3");
    EXPECT_EQ(dialog()->nameEdit()->text(), side().variableName);
}

// Every way of leaving an add dialog or the list-full notice unlocks the
// main window; Esc in a notice leaves it open.
struct WayOut {
    const char* description;
    bool listFull;
    std::function<void(QDialog*)> act;
    bool closes;
};

class WayOutTest : public AddItemTest {};

TEST_P(WayOutTest, EveryWayOutUnlocksTheWindow) {
    const WayOut ways[] = {
        {"OK", false,
         [](QDialog* d) {
             QTest::mouseClick(static_cast<AddItemDialog*>(d)->okButton(), Qt::LeftButton);
         },
         true},
        {"Cancelar", false,
         [](QDialog* d) {
             QTest::mouseClick(static_cast<AddItemDialog*>(d)->cancelButton(), Qt::LeftButton);
         },
         true},
        {"Enter", false,
         [](QDialog* d) {
             QTest::keyClick(static_cast<AddItemDialog*>(d)->costEdit(), Qt::Key_Return);
         },
         true},
        {"Esc", false,
         [](QDialog* d) {
             QTest::keyClick(static_cast<AddItemDialog*>(d)->nameEdit(), Qt::Key_Escape);
         },
         true},
        {"close request", false, [](QDialog* d) { d->close(); }, true},
        {"notice OK", true,
         [](QDialog* d) {
             QTest::mouseClick(static_cast<NoticeBox*>(d)->okButton(), Qt::LeftButton);
         },
         true},
        {"notice Enter", true, [](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); }, true},
        {"notice title-bar close", true, [](QDialog* d) { d->close(); }, true},
        {"notice Esc", true, [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }, false},
    };
    for (const WayOut& way : ways) {
        SCOPED_TRACE(way.description);
        fill(way.listFull ? CharacterSheet::kMaxItems : 0);
        doubleClickEntry(0);
        QDialog* shown = way.listFull ? static_cast<QDialog*>(window->msgbox2()) : dialog();
        ASSERT_TRUE(shown->isVisible());
        ASSERT_FALSE(window->isEnabled());
        way.act(shown);
        EXPECT_EQ(shown->isVisible(), !way.closes);
        EXPECT_EQ(window->isEnabled(), way.closes);
        shown->close();
        EXPECT_TRUE(window->isEnabled());
        document.sheet.replaceData(CharacterData{});
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, WayOutTest, ::testing::Values(kAdvantage, kDisadvantage),
                         [](const auto& info) { return std::string(info.param.description); });

class AddItemDialogLayoutTest : public ::testing::Test {
protected:
    CharacterSheet sheet;
};

TEST_F(AddItemDialogLayoutTest, BothDialogsAreDrawnAlike) {
    Taddvant vant;
    TaddDV dv;
    EXPECT_EQ(vant.windowTitle(), "Adicionar Vantagem");
    EXPECT_EQ(dv.windowTitle(), "Adicionar Desvantagem");
    for (AddItemDialog* d :
         {static_cast<AddItemDialog*>(&vant), static_cast<AddItemDialog*>(&dv)}) {
        SCOPED_TRACE(d->windowTitle().toStdString());
        EXPECT_EQ(d->size(), QSize(321, 121));
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        EXPECT_FALSE(d->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(d->windowFlags() & Qt::WindowSystemMenuHint);
        EXPECT_TRUE(d->okButton()->isDefault());
        EXPECT_EQ(d->font().family(), "MS Sans Serif");
    }
    QStringList dvLabels;
    for (const QLabel* label : dv.findChildren<QLabel*>())
        dvLabels << label->text();
    EXPECT_EQ(dvLabels, (QStringList{"Desvantagem:", QString::fromUtf8("Bônus:")}));
}

TEST_F(AddItemDialogLayoutTest, TheNameLimitIsOnTypingAndNoEditTakesForeignCharacters) {
    Taddvant dialog;
    const QString longName = QString::fromUtf8("Máquina : Blindagem Reforçada"); // 29
    dialog.showFor(longName, "2");
    EXPECT_EQ(dialog.nameEdit()->text(), longName) << "a catalogue name is offered whole";

    dialog.showFor("Curto", "2");
    QLineEdit* name = dialog.nameEdit();
    name->end(false);
    QTest::keyClicks(name, QString(30, 'x'));
    EXPECT_EQ(name->text().size(), 25);

    QLineEdit* cost = dialog.costEdit();
    cost->clear();
    QTest::keyClicks(cost, QString(60, '9'));
    EXPECT_EQ(cost->text().size(), 60) << "the cost has no limit";

    for (QLineEdit* edit : {name, cost}) {
        edit->clear();
        typeText(edit, QString::fromUtf8("ação€Łž→"));
        EXPECT_EQ(edit->text(), QString::fromUtf8("ação€ž")) << edit->objectName().toStdString();
    }
    dialog.hide();
}

// An item line holds 40 characters: the cost, a blank and the name. A longer
// catalogue name opens cut to what its line can hold (a cost still to be
// typed counts as one character), however long it is; typing stays limited
// to 25 characters unless the offered name is longer.
TEST_F(AddItemDialogLayoutTest, ALongCatalogueNameOpensCutToWhatItsLineHolds) {
    const QString longName = QString::fromUtf8("Ação ") + QString(95, 'x'); // 100
    const struct {
        QString name;
        QString shownCost;
        int offered;
    } cases[] = {
        {longName, "2", 38},
        {longName, "Var.", 38},
        {longName, "10", 37},
        {longName, QString(38, '9'), 1},
        {longName, QString(60, '9'), 0},
        {QString(1'000'000, 'n'), "2", 38},
    };
    Taddvant dialog;
    QObject::connect(&dialog, &AddItemDialog::itemAccepted,
                     [this](const std::string& cost, const std::string& name) {
                         sheet.addAdvantage(cost, name);
                     });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.size());
        SCOPED_TRACE(c.shownCost.toStdString());
        dialog.showFor(c.name, c.shownCost);
        QLineEdit* name = dialog.nameEdit();
        EXPECT_EQ(name->text().size(), c.offered);
        EXPECT_TRUE(c.name.startsWith(name->text()));
        name->end(false);
        QTest::keyClicks(name, QString(30, 'y'));
        EXPECT_EQ(name->text().size(), std::max(c.offered, 25));
    }

    dialog.showFor(QString(1'000'000, 'n'), "2");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    ASSERT_EQ(sheet.advantages().size(), 1u);
    EXPECT_TRUE(sheet.advantages().front() == "2 " + std::string(38, 'n')) << "the line fits";
}

TEST(NoticeLayoutTest, BothNoticesAreTopmostWithOneDefaultOk) {
    Tmsgbox valueRequired;
    Tmsgbox2 listFull;
    EXPECT_EQ(valueRequired.windowTitle(), QString::fromUtf8("Atenção"));
    EXPECT_EQ(listFull.windowTitle(), QString::fromUtf8("Atenção:"));
    for (NoticeBox* notice :
         {static_cast<NoticeBox*>(&valueRequired), static_cast<NoticeBox*>(&listFull)}) {
        EXPECT_EQ(notice->size(), QSize(261, 64));
        EXPECT_TRUE(notice->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(notice->okButton()->isDefault());
        EXPECT_FALSE(notice->isModal());
    }
}

} // namespace
} // namespace kestrix

#include "Version.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/Help.h"
#include "ui/dialogs/about.h"
#include "ui/main/Main.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

namespace kestrix {
namespace {

using test::onNextModal;
using test::TestFolder;

class HelpAboutTest : public ::testing::Test {
protected:
    void SetUp() override { window = test::startMainWindow(characterDocument, folder.root); }

    QAction* menuAction(const QString& text) {
        for (QAction* action : window->menuBar()->findChildren<QAction*>())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }

    TestFolder folder;
    CharacterDocument characterDocument;
    Document& document = characterDocument.document();
    std::unique_ptr<TfrmMain> window;
};

TEST_F(HelpAboutTest, F1ShowsTheHelpBesideTheSheetAndBringsItForward) {
    TfrmHelp* help = window->frmHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(help->isVisible());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_TRUE(window->isEnabled()) << "the sheet stays usable beside the help";

    // Back to the sheet, then the menu entry again: the same window returns
    // to the front.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    menuAction(QString::fromUtf8("&Conteúdo"))->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(help));
    help->close();
    menuAction(QString::fromUtf8("&Conteúdo"))->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(window->frmHelp(), help);
    help->close();
}

TEST_F(HelpAboutTest, TheHelpWindowHoldsTheWholeText) {
    TfrmHelp* help = window->frmHelp();
    EXPECT_EQ(help->windowTitle(), "Ajuda");
    EXPECT_EQ(help->size(), QSize(561, 401));
    EXPECT_EQ(help->minimumSize(), help->maximumSize());
    QPlainTextEdit* text = help->text();
    EXPECT_EQ(text->objectName(), "mmoHelp");
    EXPECT_EQ(text->geometry(), QRect(0, 0, 561, 401));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    const QTextDocument* doc = text->document();
    ASSERT_EQ(doc->blockCount(), 126);
    QStringList lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines << block.text();
    for (const char* heading :
         {"Mas, no que se refere ao programa, o uso é simples:", "NOME:", "ATRIBUTOS:",
          "VANTAGENS, PERÍCIAS E DESVANTAGENS:", "MAGIA:", "OBSERVAÇÕES:", "FIGURA:", "MENUS:",
          "\tNovo : Novo arquivo", "\tSair : Sai do programa", "\tConteúdo : Esse texto",
          "PERGUNTAS E RESPOSTAS:"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(heading))) << heading;
    EXPECT_EQ(lines.count("\t\t\t" + QString(41, '*')), 2);

    text->setFocus();
    QTest::keyClicks(text, "x");
    EXPECT_EQ(doc->blockCount(), 126);
}

TEST_F(HelpAboutTest, SobreShowsTheAboutBoxModallyUntilOk) {
    TAboutBox* about = window->aboutBox();
    bool sawIt = false;
    onNextModal([&](QWidget* modal) {
        sawIt = modal == about;
        QTest::mouseClick(about->okButton(), Qt::LeftButton);
    });
    menuAction(QString::fromUtf8("&Sobre"))->trigger();
    EXPECT_TRUE(sawIt);
    EXPECT_FALSE(about->isVisible());

    onNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    menuAction(QString::fromUtf8("&Sobre"))->trigger();
    EXPECT_FALSE(about->isVisible()) << "OK is the default button";
    EXPECT_EQ(window->aboutBox(), about);
}

TEST_F(HelpAboutTest, TheAboutBoxIsLaidOutAsDrawn) {
    TAboutBox* about = window->aboutBox();
    EXPECT_EQ(about->windowTitle(), "Sobre");
    EXPECT_EQ(about->size(), QSize(297, 213));
    EXPECT_EQ(about->okButton()->geometry(), QRect(111, 180, 75, 25));
    EXPECT_TRUE(about->okButton()->isDefault());

    auto* panel = about->findChild<QFrame*>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(8, 8, 281, 161));
    auto label = [&](const char* name) {
        auto* found = panel->findChild<QLabel*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    };
    EXPECT_EQ(label("ProgramIcon")->geometry(), QRect(8, 8, 32, 32));
    EXPECT_FALSE(label("ProgramIcon")->pixmap().isNull());
    EXPECT_EQ(label("ProductName")->text(), "Kestrix for Windows 95");
    EXPECT_EQ(label("ProductName")->pos(), QPoint(48, 8));
    // The project's version, its last part in three digits: 1.10.0 shows as 1.10.000.
    QStringList version = QString(KESTRIX_VERSION).split('.');
    version.last() = version.last().rightJustified(3, '0');
    EXPECT_EQ(label("Version")->text(), version.join('.'));
    EXPECT_EQ(label("Version")->pos(), QPoint(48, 40));

    const struct {
        const char* name;
        QPoint at;
    } lines[] = {{"Author", {48, 24}},
                 {"ErrorReports", {16, 56}},
                 {"NewVersions", {16, 72}},
                 {"Credit", {16, 88}},
                 {"Comments", {16, 120}}};
    const QRegularExpression address(R"(https?:|www\.|@|\.com|\.br)");
    for (const auto& line : lines) {
        QLabel* found = label(line.name);
        EXPECT_EQ(found->pos(), line.at) << line.name;
        EXPECT_FALSE(found->text().isEmpty()) << line.name;
        EXPECT_FALSE(address.match(found->text()).hasMatch()) << line.name;
    }
    // The credit is one line cut at the box's edge; the disclaimer wraps.
    QLabel* credit = label("Credit");
    EXPECT_EQ(credit->size(), QSize(249, 33));
    EXPECT_FALSE(credit->wordWrap());
    EXPECT_GT(credit->fontMetrics().horizontalAdvance(credit->text()), 249);
    QLabel* disclaimer = label("Comments");
    EXPECT_EQ(disclaimer->size(), QSize(249, 33));
    EXPECT_TRUE(disclaimer->wordWrap());
}

} // namespace
} // namespace kestrix

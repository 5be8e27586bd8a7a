#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/dialog2.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

using Answer = SavePromptDialog::Answer;

struct PromptAction {
    const char* description;
    std::function<void(SavePromptDialog*)> act;
    Answer expected;
};

void PrintTo(const PromptAction& action, std::ostream* os) {
    *os << action.description;
}

class SavePromptTest : public ::testing::TestWithParam<PromptAction> {};

TEST_P(SavePromptTest, EveryWayOutGivesItsAnswer) {
    for (SavePromptDialog* prompt : {static_cast<SavePromptDialog*>(new TfrmDialogNovo),
                                     static_cast<SavePromptDialog*>(new TfrmDialogSair)}) {
        test::onNextModal([prompt](QWidget* modal) {
            EXPECT_EQ(modal, prompt);
            // The prompt is modal before it is active; on a busy machine the
            // activation, and with it the focus, comes a moment later.
            EXPECT_TRUE(QTest::qWaitForWindowActive(prompt));
            EXPECT_EQ(QApplication::focusWidget(), prompt->simButton());
            GetParam().act(prompt);
        });
        EXPECT_EQ(prompt->ask(), GetParam().expected) << prompt->objectName().toStdString();
        EXPECT_FALSE(prompt->isVisible());
        delete prompt;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SavePromptTest,
    ::testing::Values(
        PromptAction{"Sim clicked",
                     [](SavePromptDialog* p) { QTest::mouseClick(p->simButton(), Qt::LeftButton); },
                     Answer::Sim},
        PromptAction{"Nao clicked",
                     [](SavePromptDialog* p) { QTest::mouseClick(p->naoButton(), Qt::LeftButton); },
                     Answer::Nao},
        PromptAction{
            "Cancelar clicked",
            [](SavePromptDialog* p) { QTest::mouseClick(p->cancelarButton(), Qt::LeftButton); },
            Answer::Cancelar},
        PromptAction{"Enter presses the focused Sim",
                     [](SavePromptDialog* p) { QTest::keyClick(p, Qt::Key_Return); }, Answer::Sim},
        PromptAction{"Alt+N",
                     [](SavePromptDialog* p) { QTest::keyClick(p, Qt::Key_N, Qt::AltModifier); },
                     Answer::Nao},
        PromptAction{"Esc means Cancelar",
                     [](SavePromptDialog* p) { QTest::keyClick(p, Qt::Key_Escape); },
                     Answer::Cancelar},
        PromptAction{"title-bar close means Cancelar", [](SavePromptDialog* p) { p->close(); },
                     Answer::Cancelar}));

TEST(SavePromptLayoutTest, DrawsTheQuestionAndThreeButtons) {
    TfrmDialogSair prompt;
    EXPECT_EQ(prompt.windowTitle(), "Vellmarin for Windows 95");
    EXPECT_EQ(prompt.size(), QSize(305, 81));
    EXPECT_EQ(prompt.simButton()->geometry(), QRect(8, 48, 81, 25));
    EXPECT_EQ(prompt.naoButton()->geometry(), QRect(112, 48, 81, 25));
    EXPECT_EQ(prompt.cancelarButton()->geometry(), QRect(216, 48, 81, 25));
    EXPECT_EQ(prompt.naoButton()->text(), QString::fromUtf8("&Não"));
    EXPECT_TRUE(prompt.simButton()->isDefault());
    const auto labels = prompt.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front()->text(),
              QString::fromUtf8("Deseja salvar as alterações no personagem?"));
    EXPECT_EQ(labels.front()->geometry(), QRect(16, 16, 273, 17));
}

} // namespace
} // namespace kestrix

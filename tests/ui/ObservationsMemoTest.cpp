#include "ObservationsMemo.h"

#include "UiTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

class ObservationsMemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        memo.setGeometry(0, 0, 185, 55);
        memo.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&memo));
    }
    ObservationsMemo memo;
};

TEST_F(ObservationsMemoTest, LinesAreTheDisplayedLinesWithoutTheTrailingEmptyOne) {
    memo.setLines({"um", "", "tres"});
    EXPECT_EQ(memo.displayedLines(), (QStringList{"um", "", "tres"}));
    memo.setPlainText("fim\n");
    EXPECT_EQ(memo.displayedLines(), QStringList{"fim"});
    memo.setPlainText("");
    EXPECT_TRUE(memo.displayedLines().isEmpty());
}

TEST_F(ObservationsMemoTest, ALongLineWrapsIntoSeveralWithNothingLost) {
    const QString text =
        "uma observacao bem comprida que nao cabe na largura do memo de jeito nenhum";
    memo.setLines({text});
    const QStringList lines = memo.displayedLines();
    EXPECT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), text);
}

TEST_F(ObservationsMemoTest, RefusesAnEleventhLineAndForeignCharacters) {
    memo.setFocus();
    for (int i = 0; i < 12; ++i) {
        QTest::keyClicks(&memo, QString::number(i));
        QTest::keyClick(&memo, Qt::Key_Return);
    }
    EXPECT_LE(memo.displayedLines().size(), ObservationsMemo::kMaxLines);
    EXPECT_TRUE(memo.toPlainText().startsWith("0\n1\n2\n"));

    memo.setLines({});
    test::typeText(&memo, QString::fromUtf8("açaí→"));
    EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("açaí"));
}

} // namespace
} // namespace kestrix

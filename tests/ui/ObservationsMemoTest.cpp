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

// A line of 255 characters in words, as older files hold them.
QString longLine(const QString& first) {
    QString line = first;
    while (line.size() < 255)
        line += " palavra";
    return line.left(255);
}

std::vector<std::string> toLines(const QStringList& lines) {
    std::vector<std::string> converted;
    for (const QString& line : lines)
        converted.push_back(line.toStdString());
    return converted;
}

TEST_F(ObservationsMemoTest, LongLinesAreStoredAsTheyCameAndCanBeShortened) {
    QStringList lines{longLine("um"), longLine("dois"), longLine("tres")};
    memo.setLines(lines);
    ASSERT_GT(memo.displayedLines().size(), ObservationsMemo::kMaxLines);
    EXPECT_EQ(memo.storableLines(), toLines(lines));

    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&memo, Qt::Key_Backspace);
    lines.last().chop(1);
    EXPECT_EQ(memo.toPlainText(), lines.join('\n')) << "Backspace is kept";
    EXPECT_EQ(memo.storableLines(), toLines(lines));

    QTest::keyClicks(&memo, "xy");
    lines.last() += "x";
    EXPECT_EQ(memo.toPlainText(), lines.join('\n')) << "a 256th character is refused";

    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClicks(&memo, "fim");
    lines << "fim";
    EXPECT_EQ(memo.storableLines(), toLines(lines)) << "a new own line is taken";
}

TEST_F(ObservationsMemoTest, AnOverfullTextTakesEveryEditThatShortensIt) {
    // Eleven lines: a file opens so when its lines hold line breaks.
    QStringList lines;
    for (int i = 0; i < 11; ++i)
        lines << QString("linha %1").arg(i);
    memo.setLines(lines);
    ASSERT_FALSE(memo.storableLines());
    EXPECT_EQ(memo.sheetLines().size(), 11u) << "the sheet gets more than a save accepts";

    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&memo, "0");
    EXPECT_EQ(memo.toPlainText(), lines.join('\n')) << "typing more is refused";

    for (int i = 0; i < 9; ++i) // "linha 10" and its line break
        QTest::keyClick(&memo, Qt::Key_Backspace);
    lines.removeLast();
    EXPECT_EQ(memo.toPlainText(), lines.join('\n'));
    EXPECT_EQ(memo.storableLines(), toLines(lines));
}

} // namespace
} // namespace kestrix

#include "ui/widgets/ObservationsMemo.h"

#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/NoticeBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <functional>
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

QString numberedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString("linha %1").arg(i);
    return lines.join('\n');
}

// Drops text on the memo as another program would, proposing a move;
// returns the action the drop was taken with.
Qt::DropAction dropText(ObservationsMemo& memo, const QString& text) {
    QMimeData data;
    data.setText(text);
    QWidget* viewport = memo.viewport();
    const QPoint at = viewport->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

// A player who types twelve short lines must not save ten unknowingly: every
// refused edit says so, a key with a beep, a paste or a drop with a notice.
TEST_F(ObservationsMemoTest, ARefusedEditIsNeverSilent) {
    int beeps = 0;
    memo.setBeep([&beeps] { ++beeps; });
    const QString full = numberedLines(ObservationsMemo::kMaxLines);
    const QString twelve = numberedLines(12);
    const struct {
        const char* edit;
        QString start;
        std::function<void()> act;
        bool refused;
        int beeps;
        bool notice;
    } cases[] = {
        {"an eleventh line typed", full + "\n", [&] { QTest::keyClicks(&memo, "x"); }, true, 1,
         false},
        {"a 256th character typed", longLine("um"), [&] { QTest::keyClicks(&memo, "x"); }, true, 1,
         false},
        {"a character the file cannot hold", "", [&] { test::typeText(&memo, "→"); }, true, 1,
         false},
        {"twelve lines pasted", "",
         [&] {
             QApplication::clipboard()->setText(twelve);
             QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
         },
         true, 0, true},
        // Refused whole, before the editor lays out megabytes.
        {"a megabyte pasted", "",
         [&] {
             QApplication::clipboard()->setText(QString(1 << 20, 'x'));
             QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
         },
         true, 0, true},
        {"a paste with a character the file cannot hold", "",
         [&] {
             QApplication::clipboard()->setText("a → b");
             QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
         },
         true, 1, false},
        {"twelve lines dropped", "",
         [&] { EXPECT_EQ(dropText(memo, twelve), Qt::CopyAction) << "the source keeps it"; }, true,
         0, true},
        {"a line dropped", "", [&] { EXPECT_NE(dropText(memo, "solta"), Qt::IgnoreAction); }, false,
         0, false},
        {"a line typed that fits", "", [&] { QTest::keyClicks(&memo, "ok"); }, false, 0, false},
        {"ten lines pasted", "",
         [&] {
             QApplication::clipboard()->setText(full);
             QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
         },
         false, 0, false},
    };
    for (const auto& c : cases) {
        memo.setLines(c.start.split('\n'));
        memo.setFocus();
        QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
        beeps = 0;
        c.act();
        EXPECT_EQ(memo.text() == c.start, c.refused) << c.edit;
        EXPECT_EQ(beeps, c.beeps) << c.edit;
        NoticeBox* notice = memo.sizeNotice();
        const bool shown = notice && notice->isVisible();
        EXPECT_EQ(shown, c.notice) << c.edit;
        if (shown) {
            // Its text whole, inside the notice.
            const QRect text = notice->textLabel()->geometry();
            EXPECT_TRUE(notice->rect().contains(text)) << c.edit;
            EXPECT_GE(text.width(), notice->textLabel()->sizeHint().width()) << c.edit;
            notice->okButton()->click();
        }
    }
}

} // namespace
} // namespace kestrix

// The uniform-row list against QListView itself: both get the same rows and
// the same keys, clicks, wheel turns and resizes, and after each step they
// must agree on everything a user can see or reach - current row, selection,
// scroll bars, where each point lands, and every pixel.
#include "ui/widgets/UniformRowListView.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace kestrix {
namespace {

struct Lists {
    QWidget window;
    QStringListModel referenceRows;
    QStringListModel uniformRows;
    QListView* reference = new QListView(&window);
    UniformRowListView* uniform = new UniformRowListView(&window);

    Lists(const QStringList& rows, QSize size) {
        referenceRows.setStringList(rows);
        uniformRows.setStringList(rows);
        reference->setUniformItemSizes(true);
        for (QListView* list : {reference, static_cast<QListView*>(uniform)}) {
            list->setEditTriggers(QAbstractItemView::NoEditTriggers);
            list->resize(size);
        }
        reference->setModel(&referenceRows);
        uniform->setModel(&uniformRows);
        reference->move(0, 0);
        uniform->move(size.width() + 10, 0);
        window.resize(2 * size.width() + 20, size.height() + 10);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The first focus makes the first row current: give it to both.
        uniform->setFocus();
        settle();
        reference->setFocus();
        settle();
        window.setFocus();
        settle();
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    template <typename Action> void both(Action&& action) {
        action(reference);
        action(static_cast<QListView*>(uniform));
        settle();
    }
};

QString describeBar(const QScrollBar* bar) {
    return QString("range %1..%2 value %3 page %4 step %5 %6")
        .arg(bar->minimum())
        .arg(bar->maximum())
        .arg(bar->value())
        .arg(bar->pageStep())
        .arg(bar->singleStep())
        .arg(bar->isVisible() ? "shown" : "hidden");
}

QString describe(const QListView* list) {
    QStringList selected;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        selected << QString::number(index.row());
    selected.sort();
    return QString("current %1; selected %2; vertical %3; horizontal %4; viewport %5x%6")
        .arg(list->currentIndex().row())
        .arg(selected.join(','))
        .arg(describeBar(list->verticalScrollBar()))
        .arg(describeBar(list->horizontalScrollBar()))
        .arg(list->viewport()->width())
        .arg(list->viewport()->height());
}

// Where each point of the viewport lands, and where the first rows are.
QString describeHits(const QListView* list) {
    QString hits;
    const QSize size = list->viewport()->size();
    for (int y = -2; y <= size.height() + 2; y += 1)
        for (int x : {-1, 0, size.width() / 2, size.width() - 1, size.width()})
            hits += QString::number(list->indexAt(QPoint(x, y)).row()) + ' ';
    const int rows = list->model()->rowCount();
    for (int row : {0, 1, rows / 2, rows - 1, rows})
        hits += QString("[%1: %2,%3 %4x%5]")
                    .arg(row)
                    .arg(list->visualRect(list->model()->index(row, 0)).x())
                    .arg(list->visualRect(list->model()->index(row, 0)).y())
                    .arg(list->visualRect(list->model()->index(row, 0)).width())
                    .arg(list->visualRect(list->model()->index(row, 0)).height());
    return hits;
}

void expectSame(Lists& lists, const std::string& step) {
    SCOPED_TRACE(step);
    ASSERT_EQ(describe(lists.reference).toStdString(), describe(lists.uniform).toStdString());
    ASSERT_EQ(describeHits(lists.reference).toStdString(),
              describeHits(lists.uniform).toStdString());
    // Focus changes how the current row is drawn: compare with each focused.
    for (bool withFocus : {false, true}) {
        QImage images[2];
        int i = 0;
        for (QListView* list : {lists.reference, static_cast<QListView*>(lists.uniform)}) {
            if (withFocus)
                list->setFocus();
            else
                lists.window.setFocus();
            Lists::settle();
            images[i++] = list->grab().toImage();
        }
        ASSERT_TRUE(images[0] == images[1]) << "pixels differ, focus " << withFocus;
    }
}

QStringList rowsNamed(int count, const QString& longRow = {}, int longAt = -1) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << (i == longAt ? longRow : QString("Entrada %1").arg(i));
    return rows;
}

void sendWheel(QListView* list, QPoint angle) {
    const QPoint at(10, 10);
    QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
}

// A long run of what a user does, the same for both lists.
void exercise(Lists& lists, unsigned seed, int steps) {
    std::mt19937 random(seed);
    const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up,   Qt::Key_PageDown, Qt::Key_PageUp,
                            Qt::Key_Home, Qt::Key_End,  Qt::Key_Left,     Qt::Key_Right,
                            Qt::Key_E,    Qt::Key_Space};
    for (int step = 0; step < steps; ++step) {
        const int what = std::uniform_int_distribution<int>(0, 9)(random);
        std::string name;
        if (what < 5) {
            const Qt::Key key = keys[std::uniform_int_distribution<int>(0, 9)(random)];
            const Qt::KeyboardModifiers modifiers =
                random() % 5 == 0 ? Qt::ShiftModifier : Qt::NoModifier;
            name = "key " + std::to_string(key) + " mods " + std::to_string(modifiers);
            lists.both([&](QListView* list) { QTest::keyClick(list, key, modifiers); });
        } else if (what < 8) {
            const QSize size = lists.reference->viewport()->size();
            const QPoint at(std::uniform_int_distribution<int>(-1, size.width())(random),
                            std::uniform_int_distribution<int>(-1, size.height())(random));
            const Qt::KeyboardModifiers modifiers =
                random() % 4 == 0 ? Qt::ControlModifier : Qt::NoModifier;
            name = "click " + std::to_string(at.x()) + "," + std::to_string(at.y());
            lists.both([&](QListView* list) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
            });
        } else if (what == 8) {
            const QPoint angle = random() % 3 == 0 ? QPoint(random() % 2 ? 120 : -120, 0)
                                                   : QPoint(0, random() % 2 ? 120 : -120);
            name = "wheel " + std::to_string(angle.x()) + "," + std::to_string(angle.y());
            lists.both([&](QListView* list) { sendWheel(list, angle); });
        } else {
            const int value = std::uniform_int_distribution<int>(-1, 50)(random);
            name = "scroll bar to " + std::to_string(value);
            lists.both([&](QListView* list) { list->verticalScrollBar()->setValue(value); });
        }
        expectSame(lists, "step " + std::to_string(step) + ": " + name);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

struct Case {
    const char* name;
    int rows;
    QSize size;
    int longAt; // the row given a name wider than the list, or -1
};

class UniformRowListViewTest : public testing::TestWithParam<Case> {};

TEST_P(UniformRowListViewTest, BehavesAsQListViewStepByStep) {
    const Case& c = GetParam();
    Lists lists(rowsNamed(c.rows, "Um nome comprido que passa da largura da lista", c.longAt),
                c.size);
    expectSame(lists, "as shown");
    exercise(lists, static_cast<unsigned>(c.rows * 31 + c.size.height()), 120);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, UniformRowListViewTest,
    testing::Values(Case{"Empty", 0, {156, 76}, -1}, Case{"OneRow", 1, {156, 76}, -1},
                    Case{"Fits", 3, {156, 76}, -1}, Case{"JustOver", 5, {156, 76}, -1},
                    Case{"Catalogue", 58, {156, 76}, -1}, Case{"LastRowWide", 40, {156, 76}, 39},
                    Case{"FirstRowWide", 40, {156, 76}, 0},
                    Case{"LowerThanARow", 20, {156, 18}, -1}, Case{"Tall", 1000, {220, 300}, -1}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(UniformRowListViewResizeTest, FollowsResizesAndNewRows) {
    Lists lists(rowsNamed(30), {156, 76});
    for (QSize size : {QSize(156, 120), QSize(90, 50), QSize(156, 76)}) {
        lists.both([&](QListView* list) { list->resize(size); });
        expectSame(lists, "resized to " + std::to_string(size.width()) + "x" +
                              std::to_string(size.height()));
        exercise(lists, static_cast<unsigned>(size.height()), 20);
    }
    lists.referenceRows.setStringList(rowsNamed(7, "Agora a última linha é bem mais larga", 6));
    lists.uniformRows.setStringList(rowsNamed(7, "Agora a última linha é bem mais larga", 6));
    Lists::settle();
    expectSame(lists, "after the rows were replaced");
    exercise(lists, 7, 30);
}

// Counts what the view asks of the model, to show that a list's first
// showing does not visit every row.
class CountingModel : public QAbstractListModel {
public:
    explicit CountingModel(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_rows;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        ++dataCalls;
        return role == Qt::DisplayRole ? QVariant(QString("Entrada %1").arg(index.row()))
                                       : QVariant();
    }
    QModelIndex index(int row, int column, const QModelIndex& parent) const override {
        ++indexCalls;
        return QAbstractListModel::index(row, column, parent);
    }
    mutable int indexCalls = 0;
    mutable int dataCalls = 0;

private:
    int m_rows;
};

TEST(UniformRowListViewCostTest, ShowingAHugeListVisitsOnlyTheRowsOnScreen) {
    CountingModel rows(1'000'000);
    UniformRowListView list;
    list.resize(156, 76);
    list.setModel(&rows);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QTest::keyClick(&list, Qt::Key_End);
    QTest::keyClick(&list, Qt::Key_PageUp);
    Lists::settle();
    EXPECT_GT(list.currentIndex().row(), 1'000'000 - 10);
    EXPECT_LT(list.currentIndex().row(), 1'000'000 - 1);
    EXPECT_LT(rows.indexCalls, 1000);
    EXPECT_LT(rows.dataCalls, 1000);
}

// Rows times their height passes what an int holds above some 165 million
// rows of 13 pixels. Positions, hit-testing, paging and painting must still
// land on the right rows at the far end of such a list.
TEST(UniformRowListViewCostTest, AListOfBillionsOfPixelsStillLandsOnItsRows) {
    for (const int count : {1'000, 33'554'432, 200'000'000, std::numeric_limits<int>::max()}) {
        SCOPED_TRACE(count);
        CountingModel rows(count);
        UniformRowListView list;
        list.resize(156, 76);
        list.setModel(&rows);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        const int last = count - 1;
        const QModelIndex lastRow = rows.index(last, 0, {});
        const int height = list.visualRect(rows.index(0, 0, {})).height();
        ASSERT_GT(height, 0);
        const int pageRows = list.viewport()->height() / height;

        QTest::keyClick(&list, Qt::Key_End);
        Lists::settle();
        EXPECT_EQ(list.currentIndex().row(), last);
        EXPECT_EQ(list.verticalScrollBar()->value(), list.verticalScrollBar()->maximum());
        const QRect lastRect = list.visualRect(lastRow);
        EXPECT_TRUE(list.viewport()->rect().contains(lastRect)) << "last row at " << lastRect.y();
        EXPECT_EQ(list.indexAt(lastRect.center()), lastRow);
        const QRect above = lastRect.translated(0, -height);
        EXPECT_EQ(list.indexAt(above.center()).row(), last - 1);

        QTest::keyClick(&list, Qt::Key_PageUp);
        Lists::settle();
        EXPECT_EQ(list.currentIndex().row(), last - pageRows + 1);
        QTest::keyClick(&list, Qt::Key_PageDown);
        Lists::settle();
        EXPECT_EQ(list.currentIndex().row(), last);

        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, above.center());
        EXPECT_EQ(list.currentIndex().row(), last - 1);
        EXPECT_EQ(list.selectionModel()->selectedRows().value(0).row(), last - 1);

        // Painting visits the rows on screen, wherever they are.
        rows.dataCalls = 0;
        list.viewport()->grab();
        EXPECT_GT(rows.dataCalls, 0);
        EXPECT_LT(rows.dataCalls, 100);

        QTest::keyClick(&list, Qt::Key_Home);
        Lists::settle();
        EXPECT_EQ(list.verticalScrollBar()->value(), 0);
        EXPECT_EQ(list.visualRect(rows.index(0, 0, {})).top(), 0);
        EXPECT_FALSE(list.viewport()->rect().intersects(list.visualRect(lastRow)));
    }
}

} // namespace
} // namespace kestrix

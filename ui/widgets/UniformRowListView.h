#pragma once

#include <QListView>
#include <QPersistentModelIndex>

namespace kestrix {

// A QListView for a plain top-to-bottom list whose rows all have the height
// of one line, such as a catalogue of many thousand entries.
//
// QListView lays a list out by storing a position for every row, even when
// told that all items have one size, so a list of 100,000 rows costs 100,000
// steps before it is first shown. Here every position follows from the row
// number and the one item size, so laying out, painting, hit-testing and
// keyboard movement cost the same for ten rows as for a million. Otherwise
// the view looks and behaves as a QListView with uniform item sizes in list
// mode does: the item size is that of the last row, the rows are as wide as
// the viewport, it scrolls a whole row at a time, and Page Up/Down, Home,
// End, clicks, the wheel and the selection land where they would.
//
// It supports only what the lists of this program use: list mode, flow top
// to bottom, no wrapping, no spacing or grid, no hidden rows, left to right.
class UniformRowListView : public QListView {
    Q_OBJECT
public:
    explicit UniformRowListView(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void doItemsLayout() override;
    void reset() override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    // A run of rows, first to last; empty when last < first.
    struct RowRange {
        int first = 0;
        int last = -1;
        bool empty() const { return last < first; }
    };

    int rowCount() const;
    QSize itemSize() const;
    int rowHeight() const { return itemSize().height(); }
    int rowWidth() const;
    QModelIndex rowIndex(int row) const;
    bool isRowEnabled(int row) const;
    // How far the contents are scrolled up, in pixels. Positions in the
    // contents are 64-bit: rows times their height passes what an int holds
    // in a list of a few hundred million rows.
    qint64 contentOffset() const;
    // The rows whose band reaches into the lines top to bottom of the
    // contents. A band runs from a row's top to the next row's top, so the
    // point just below the last row still reaches it.
    RowRange rowsReaching(qint64 top, qint64 bottom) const;
    // The same for an area or a point of the viewport.
    RowRange rowsReaching(const QRect& viewportArea) const;
    QModelIndex lastRowReaching(const QPoint& viewportPoint) const;
    int pageDownRow(int current) const;
    int pageUpRow(int current) const;

    mutable QSize m_itemSize;
    QPersistentModelIndex m_hover;
};

} // namespace kestrix

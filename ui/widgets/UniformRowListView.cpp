#include "ui/widgets/UniformRowListView.h"

#include <QHoverEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <limits>

namespace kestrix {
namespace {

// Positions that Qt takes as an int are held within this, so that adding a
// viewport coordinate to them cannot overflow; a row this far away is far
// off the viewport in any case.
constexpr qint64 kFarAway = std::numeric_limits<int>::max() / 2;

int clampedToFarAway(qint64 position) {
    return static_cast<int>(std::clamp(position, -kFarAway, kFarAway));
}

} // namespace

UniformRowListView::UniformRowListView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true);
    // Whole rows, whatever the style prefers: the positions below assume it.
    setVerticalScrollMode(ScrollPerItem);
}

// ---- geometry ----

int UniformRowListView::rowCount() const {
    const QAbstractItemModel* items = model();
    if (items == nullptr || items->columnCount(rootIndex()) <= 0)
        return 0;
    return items->rowCount(rootIndex());
}

// Every row is measured as the last one, which QListView takes to be the
// widest of a list whose items share one size.
QSize UniformRowListView::itemSize() const {
    if (!m_itemSize.isValid()) {
        const int rows = rowCount();
        if (rows > 0) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            const QModelIndex sample = rowIndex(rows - 1);
            if (const QAbstractItemDelegate* delegate = itemDelegateForIndex(sample))
                m_itemSize = delegate->sizeHint(option, sample);
        }
    }
    return m_itemSize;
}

// The rows fill the viewport's width, or the item's if that is wider.
int UniformRowListView::rowWidth() const {
    return std::max(itemSize().width(), viewport()->width());
}

QModelIndex UniformRowListView::rowIndex(int row) const {
    return model()->index(row, modelColumn(), rootIndex());
}

bool UniformRowListView::isRowEnabled(int row) const {
    return (model()->flags(rowIndex(row)) & Qt::ItemIsEnabled) != 0;
}

UniformRowListView::RowRange UniformRowListView::rowsReaching(qint64 top, qint64 bottom) const {
    const int rows = rowCount();
    const qint64 height = rowHeight();
    if (rows == 0 || height <= 0 || bottom < 0 || top > rows * height)
        return {};
    const qint64 lastRow = rows - 1;
    const auto first = static_cast<int>(top < 0 ? 0 : std::min(top / height, lastRow));
    const auto last = static_cast<int>(std::min(bottom / height, lastRow));
    return {first, last};
}

UniformRowListView::RowRange UniformRowListView::rowsReaching(const QRect& viewportArea) const {
    if (qint64(viewportArea.right()) + horizontalOffset() < 0)
        return {};
    const qint64 offset = contentOffset();
    return rowsReaching(viewportArea.top() + offset, viewportArea.bottom() + offset);
}

QModelIndex UniformRowListView::lastRowReaching(const QPoint& viewportPoint) const {
    const RowRange rows = rowsReaching(QRect(viewportPoint, QSize(1, 1)));
    return rows.empty() ? QModelIndex() : rowIndex(rows.last);
}

QRect UniformRowListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() ||
        index.column() != modelColumn() || index.row() >= rowCount())
        return {};
    const int height = rowHeight();
    const qint64 top = qint64(index.row()) * height - contentOffset();
    return QRect(-horizontalOffset(), clampedToFarAway(top), rowWidth(), height);
}

QModelIndex UniformRowListView::indexAt(const QPoint& point) const {
    const QModelIndex index = lastRowReaching(point);
    return index.isValid() && visualRect(index).contains(point) ? index : QModelIndex();
}

int UniformRowListView::horizontalOffset() const {
    const QScrollBar* bar = horizontalScrollBar();
    return isRightToLeft() ? bar->maximum() - bar->value() : bar->value();
}

// The vertical scroll bar counts rows.
qint64 UniformRowListView::contentOffset() const {
    const int value = verticalScrollBar()->value();
    if (value > rowCount())
        return 0;
    return qint64(value) * std::max(rowHeight(), 0);
}

// Qt adds this to a pressed point and takes it off again; past kFarAway it
// is no longer exact, which only a list of some hundred million rows reaches
// and which only a drag across many pages would show. Positions computed
// here use contentOffset().
int UniformRowListView::verticalOffset() const {
    return clampedToFarAway(contentOffset());
}

// ---- layout and scroll bars ----

void UniformRowListView::doItemsLayout() {
    // Showing a scroll bar resizes the viewport; the state keeps that resize
    // from asking for yet another layout.
    const State previous = state();
    setState(ExpandingState);
    m_itemSize = QSize();
    QAbstractItemView::doItemsLayout();
    setState(previous);
}

void UniformRowListView::reset() {
    m_itemSize = QSize();
    QListView::reset();
}

void UniformRowListView::rowsInserted(const QModelIndex& parent, int start, int end) {
    m_itemSize = QSize();
    QListView::rowsInserted(parent, start, end);
}

void UniformRowListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    m_itemSize = QSize();
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

void UniformRowListView::updateGeometries() {
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    const int rows = rowCount();
    if (geometry().isEmpty() || rows <= 0) {
        horizontal->setRange(0, 0);
        vertical->setRange(0, 0);
    } else {
        const QSize item = itemSize();
        const qint64 contentsWidth = item.width();
        const qint64 contentsHeight = qint64(rows) * item.height();
        const QSize area = contentsRect().marginsRemoved(viewportMargins()).size();

        // Horizontally the list scrolls by pixels. With both bars shown as
        // needed, the horizontal one stays hidden unless the item is wider
        // than what the vertical bar leaves of the area; anything else could
        // make the two bars hide and show each other for ever.
        horizontal->setSingleStep(item.width());
        horizontal->setPageStep(viewport()->width());
        const bool bothAsNeeded = verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
                                  horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded;
        const bool verticalWanted = contentsHeight > area.height();
        const int widthLeft = area.width() - (verticalWanted ? vertical->width() : 0);
        if (bothAsNeeded && contentsWidth <= widthLeft)
            horizontal->setRange(0, 0);
        else
            horizontal->setRange(0, item.width() - viewport()->width());

        // Vertically it scrolls by rows: a page is the rows that fit whole,
        // and a list that fits has nowhere to scroll.
        const int viewportHeight = viewport()->height();
        const int pageRows = contentsHeight <= viewportHeight
                                 ? (rows < std::numeric_limits<int>::max() ? rows + 1 : rows)
                             : item.height() > 0 ? viewportHeight / item.height()
                                                 : 0;
        vertical->setSingleStep(1);
        vertical->setPageStep(pageRows);
        vertical->setRange(0, rows - pageRows);
    }
    QAbstractItemView::updateGeometries();
}

void UniformRowListView::scrollContentsBy(int dx, int dy) {
    const int rows = rowCount();
    if (rows == 0)
        return;
    if (dy != 0) {
        // dy comes in rows; the viewport moves by pixels.
        const int now = std::clamp(verticalScrollBar()->value(), 0, rows);
        const int before = std::clamp(now + dy, 0, rows);
        // A jump of more than a viewport repaints it all, however far.
        dy = clampedToFarAway(qint64(before - now) * rowHeight());
    }
    QAbstractItemView::scrollContentsBy(isRightToLeft() ? -dx : dx, dy);
}

void UniformRowListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (index.parent() != rootIndex() || index.column() != modelColumn())
        return;
    const QRect rect = visualRect(index);
    if (!rect.isValid())
        return;
    const QRect area = viewport()->rect();
    if (hint == EnsureVisible) {
        if (area.contains(rect)) {
            viewport()->update(rect);
            return;
        }
        if (rect.top() < area.top())
            hint = PositionAtTop;
        else if (rect.bottom() > area.bottom())
            hint = PositionAtBottom;
        else
            return;
    }
    // The rows that fit whole, at least one, and no more than lie above.
    const int row = index.row();
    const int fitting = std::min(row + 1, std::max(1, area.height() / rect.height()));
    switch (hint) {
    case PositionAtTop:
        verticalScrollBar()->setValue(row);
        break;
    case PositionAtBottom:
        verticalScrollBar()->setValue(row - fitting + 1);
        break;
    case PositionAtCenter:
        verticalScrollBar()->setValue(row - fitting / 2);
        break;
    case EnsureVisible:
        break;
    }
}

// ---- keyboard and mouse ----

// Page Down goes to the farthest row whose bottom is less than a viewport's
// height below the current row's top; at the end of the list, to the last.
// A probe one row high starts a page down and moves up a pixel at a time
// until the row it reaches nearest the current one is such a row.
int UniformRowListView::pageDownRow(int current) const {
    const qint64 height = rowHeight();
    const qint64 contentsHeight = rowCount() * height;
    const qint64 pageEnd = current * height + viewport()->height();
    // The probe's top and bottom line in the contents.
    qint64 top = pageEnd - 1;
    qint64 bottom = top + height - 1;
    if (bottom > contentsHeight - height) {
        top = contentsHeight - 1;
        bottom = contentsHeight;
    }
    int found = -1;
    while (found < 0 || (found + 1) * height - 1 >= pageEnd || bottom > contentsHeight) {
        --top;
        --bottom;
        if (top >= contentsHeight)
            return current;
        const RowRange reached = rowsReaching(top, bottom);
        found = reached.empty() ? -1 : std::clamp(current, reached.first, reached.last);
    }
    return found;
}

// Page Up mirrors Page Down: the farthest row above whose top is less than a
// viewport's height above the current row's bottom; at the start, the first.
int UniformRowListView::pageUpRow(int current) const {
    const qint64 height = rowHeight();
    const qint64 pageStart = (current + 1) * height - 1 - viewport()->height();
    qint64 top = current * height - viewport()->height() + 1;
    qint64 bottom = top + height - 1;
    if (top < height) {
        top = 0;
        bottom = 1;
    }
    int found = -1;
    while (found < 0 || found * height <= pageStart || top <= 0) {
        ++top;
        ++bottom;
        if (bottom <= 0)
            return current;
        const RowRange reached = rowsReaching(top, bottom);
        found = reached.empty() ? -1 : std::clamp(current, reached.first, reached.last);
    }
    return found;
}

QModelIndex UniformRowListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int rows = rowCount();
    const auto enabledFrom = [&](int row, int step) {
        while (row >= 0 && row < rows && !isRowEnabled(row))
            row += step;
        return row >= 0 && row < rows ? row : -1;
    };
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        const int row = rows > 0 ? enabledFrom(0, 1) : -1;
        return row < 0 ? QModelIndex() : rowIndex(row);
    }
    const int row = current.row();
    const bool pageFits = rowHeight() < viewport()->height();
    switch (action) {
    case MoveUp:
    case MovePrevious: {
        const int above = enabledFrom(row - 1, -1);
        return above < 0 ? current : rowIndex(above);
    }
    case MoveDown:
    case MoveNext: {
        const int below = enabledFrom(row + 1, 1);
        return below < 0 ? current : rowIndex(below);
    }
    case MovePageUp:
        return pageFits ? rowIndex(pageUpRow(row)) : moveCursor(MoveUp, modifiers);
    case MovePageDown:
        return pageFits ? rowIndex(pageDownRow(row)) : moveCursor(MoveDown, modifiers);
    case MoveHome:
        return rowIndex(0);
    case MoveEnd:
        return rowIndex(rows - 1);
    case MoveLeft:
    case MoveRight:
        // The rows fill the width: there is nothing beside them.
        return current;
    }
    return current;
}

void UniformRowListView::setSelection(const QRect& rect,
                                      QItemSelectionModel::SelectionFlags command) {
    if (selectionModel() == nullptr)
        return;
    QItemSelection selection;
    if (rect.width() == 1 && rect.height() == 1) {
        // A click: the row under the point.
        const QModelIndex row = lastRowReaching(rect.topLeft());
        if (row.isValid() && isRowEnabled(row.row()))
            selection.select(row, row);
    } else if (state() == DragSelectingState) {
        const RowRange rows = rowsReaching(rect);
        if (!rows.empty())
            selection.select(rowIndex(rows.first), rowIndex(rows.last));
    } else {
        // From the row at one corner to the row at the other.
        const QModelIndex from = lastRowReaching(rect.topLeft());
        const QModelIndex to = lastRowReaching(rect.bottomRight());
        if (from.isValid() && to.isValid() && isRowEnabled(from.row()) && isRowEnabled(to.row())) {
            const auto [top, bottom] = std::minmax(from.row(), to.row());
            selection.select(rowIndex(top), rowIndex(bottom));
        }
    }
    selectionModel()->select(selection, command);
}

bool UniformRowListView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        m_hover = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        m_hover = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QListView::viewportEvent(event);
}

// ---- painting ----

void UniformRowListView::paintEvent(QPaintEvent* event) {
    if (itemDelegate() == nullptr)
        return;
    const RowRange rows = rowsReaching(event->rect());
    if (rows.empty())
        return;

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State viewState = option.state;
    const bool enabled = (viewState & QStyle::State_Enabled) != 0;
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QItemSelectionModel* selections = selectionModel();

    QPainter painter(viewport());
    for (int row = rows.first; row <= rows.last; ++row) {
        const QModelIndex index = rowIndex(row);
        option.rect = visualRect(index);
        option.state = viewState;
        if (selections != nullptr && selections->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (enabled) {
            const bool itemEnabled = isRowEnabled(row);
            if (!itemEnabled)
                option.state &= ~QStyle::State_Enabled;
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal
                                                            : QPalette::Disabled);
        }
        if (focus && index == current) {
            option.state |= QStyle::State_HasFocus;
            if (state() == EditingState)
                option.state |= QStyle::State_Editing;
        }
        option.state.setFlag(QStyle::State_MouseOver, index == m_hover);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

} // namespace kestrix

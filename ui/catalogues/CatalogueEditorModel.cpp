#include "ui/catalogues/CatalogueEditorModel.h"

#include "platform/TextConversion.h"

#include <algorithm>

namespace kestrix {

CatalogueEditorModel::CatalogueEditorModel(std::string variableCostMarker, QObject* parent)
    : QAbstractTableModel(parent), m_entries(std::move(variableCostMarker)) {}

void CatalogueEditorModel::setEntries(CatalogueEntries entries, bool modified) {
    beginResetModel();
    m_entries = std::move(entries);
    m_modified = modified;
    endResetModel();
}

int CatalogueEditorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_entries.size();
}

int CatalogueEditorModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CatalogueEditorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const int row = index.row();
    switch (index.column()) {
    case kNameColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return toQString(m_entries.name(row));
        break;
    case kCostColumn:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return toQString(m_entries.isVariable(row) ? Catalogue::kVariableCostText
                                                       : m_entries.cost(row));
        break;
    case kVariableColumn:
        if (role == Qt::CheckStateRole)
            return static_cast<int>(m_entries.isVariable(row) ? Qt::Checked : Qt::Unchecked);
        break;
    }
    return {};
}

bool CatalogueEditorModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= m_entries.size())
        return false;
    const int row = index.row();
    switch (index.column()) {
    case kNameColumn:
        if (role != Qt::EditRole)
            return false;
        m_entries.setName(row, toWindows1252(value.toString()));
        break;
    case kCostColumn:
        if (role != Qt::EditRole || m_entries.isVariable(row))
            return false;
        m_entries.setCost(row, toWindows1252(value.toString()));
        break;
    case kVariableColumn: {
        if (role != Qt::CheckStateRole)
            return false;
        const bool variable = value.toInt() == Qt::Checked;
        if (variable == m_entries.isVariable(row))
            return true;
        m_entries.setVariable(row, variable);
        break;
    }
    default:
        return false;
    }
    m_modified = true;
    // Ticking the box changes the cost cell's text and whether it is edited.
    emit dataChanged(this->index(row, kNameColumn), this->index(row, kVariableColumn));
    return true;
}

Qt::ItemFlags CatalogueEditorModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= m_entries.size())
        return Qt::NoItemFlags;
    switch (index.column()) {
    case kNameColumn:
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    case kCostColumn:
        return m_entries.isVariable(index.row())
                   ? Qt::ItemIsSelectable | Qt::ItemIsEnabled
                   : Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    default:
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    }
}

QVariant CatalogueEditorModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case kNameColumn:
        return QStringLiteral("Nome");
    case kCostColumn:
        return QStringLiteral("Custo");
    case kVariableColumn:
        return QString::fromUtf8("Custo variável");
    }
    return {};
}

int CatalogueEditorModel::typingRoom(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= m_entries.size())
        return 0;
    const int row = index.row();
    const int capacity = static_cast<int>(CatalogueEntries::kLongestLine);
    const bool name = index.column() == kNameColumn;
    const int otherLength =
        static_cast<int>(name ? std::max<std::size_t>(m_entries.fileCost(row).size(), 1)
                              : m_entries.name(row).size());
    return std::max(capacity - otherLength - 1, 1);
}

void CatalogueEditorModel::insertEntry(int row) {
    beginInsertRows({}, row, row);
    m_entries.insert(row, {}, {});
    m_modified = true;
    endInsertRows();
}

void CatalogueEditorModel::removeEntry(int row) {
    beginRemoveRows({}, row, row);
    m_entries.remove(row);
    m_modified = true;
    endRemoveRows();
}

void CatalogueEditorModel::swapEntries(int first, int second) {
    m_entries.swap(first, second);
    m_modified = true;
    emit dataChanged(index(std::min(first, second), kNameColumn),
                     index(std::max(first, second), kVariableColumn));
}

void CatalogueEditorModel::sortAlphabetically() {
    // Rows change places but not number: the views keep their columns and
    // the rows' heights, and only lay the rows out again.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> newRows = m_entries.sortAlphabetically();
    m_modified = true;
    // What the views hold on to (the current row, the selection) follows
    // its entry.
    const QModelIndexList held = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(held.size());
    for (const QModelIndex& index : held)
        moved << index.sibling(newRows[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(held, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace kestrix

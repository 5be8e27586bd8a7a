#include "ui/widgets/CatalogueModel.h"

#include "platform/TextConversion.h"

namespace kestrix {

QModelIndex CatalogueModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || row >= m_catalogue.size() || column != 0 || parent.isValid())
        return {};
    return createIndex(row, column);
}

int CatalogueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_catalogue.size();
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_catalogue.size() || role != Qt::DisplayRole)
        return {};
    return toQString(m_catalogue.name(index.row()).substr(0, kLongestShownText));
}

QString CatalogueModel::shownCost(int row) const {
    if (row < 0 || row >= m_catalogue.size())
        return {};
    return toQString(std::string_view(m_catalogue.shownCost(row)).substr(0, kLongestShownText));
}

void CatalogueModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace kestrix

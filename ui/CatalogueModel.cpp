#include "CatalogueModel.h"

#include "TextConversion.h"

namespace kestrix {

int CatalogueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_catalogue.size();
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_catalogue.size() || role != Qt::DisplayRole)
        return {};
    return toQString(m_catalogue.name(index.row()));
}

void CatalogueModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace kestrix

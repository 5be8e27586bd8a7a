#pragma once

#include <QStyledItemDelegate>

namespace kestrix {

// Edits a catalogue entry's name or cost as the main window's edits do: only
// what Windows-1252 holds, and no more than the entry's item line leaves
// (see CatalogueEditorModel::typingRoom).
class CatalogueEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

} // namespace kestrix

#pragma once

#include "core/CatalogueEntries.h"

#include <QAbstractTableModel>

namespace kestrix {

// One catalogue in the editor's table: name, cost and the "Custo variável"
// box of each entry, read from the entries as the view paints them. Nothing
// is kept per row, so a catalogue of a million entries costs a table what
// its visible rows cost, and every change tells the view only what moved.
class CatalogueEditorModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kNameColumn, kCostColumn, kVariableColumn, kColumnCount };

    explicit CatalogueEditorModel(std::string variableCostMarker, QObject* parent = nullptr);

    const CatalogueEntries& entries() const { return m_entries; }
    // Takes new entries; the list counts as changed only when `modified`.
    void setEntries(CatalogueEntries entries, bool modified);
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // How many characters a name or cost cell may take as it is typed: an
    // item line holds the cost, a blank and the name, so what one of them may
    // take is what the other leaves. An empty cost is typed when the item is
    // acquired, so it counts as one character.
    int typingRoom(const QModelIndex& index) const;

    // Whether another entry fits (see Catalogue::kMaxEntries).
    bool canInsert() const { return m_entries.size() < Catalogue::kMaxEntries; }
    // An empty entry before `row`.
    void insertEntry(int row);
    void removeEntry(int row);
    // Swaps two rows' entries.
    void swapEntries(int first, int second);
    void sortAlphabetically();

private:
    CatalogueEntries m_entries;
    bool m_modified = false;
};

} // namespace kestrix

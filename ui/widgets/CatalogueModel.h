#pragma once

#include "core/Catalogue.h"

#include <QAbstractListModel>

namespace kestrix {

// Shows a catalogue's names in file order without copying them into items,
// so a catalogue of many thousand entries costs nothing per entry.
class CatalogueModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The most of an entry's name or cost that the window shows. No field of
    // a character file holds more, and laying out a megabyte of text would
    // cost the window a second at every paint.
    static constexpr int kLongestShownText = 255;

    CatalogueModel(const Catalogue& catalogue, QObject* parent = nullptr)
        : QAbstractListModel(parent), m_catalogue(catalogue) {}

    // The view asks for an index of every row when it lays the list out;
    // this one skips the generic checks' virtual calls.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Entry `row`'s shown cost as the window shows it, cut like the names;
    // empty for a row outside the catalogue.
    QString shownCost(int row) const;
    // Call after the catalogue was (re)loaded.
    void reload();

private:
    const Catalogue& m_catalogue;
};

} // namespace kestrix

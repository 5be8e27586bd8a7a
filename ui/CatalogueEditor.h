#pragma once

#include "CatalogueEntries.h"

#include <QDialog>
#include <array>
#include <deque>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kestrix {

struct Document;

// "Catálogos": edits the two catalogues. The entries in effect are offered;
// "Salvar" writes the edited lists to the user's data folder, where they
// come first from then on, and "Restaurar padrão" removes the user's copy of
// the list shown so the site's or the shipped one is in effect again.
class CatalogueEditor : public QDialog {
    Q_OBJECT
public:
    enum class List { Advantages, Disadvantages };

    explicit CatalogueEditor(Document& document, QWidget* parent = nullptr);

    // Shows the window with the catalogues now in effect.
    void showEditor();

    List shownList() const { return m_shown; }
    void showList(List list);
    const std::vector<CatalogueEntry>& entries(List list) const {
        return m_entries[static_cast<int>(list)];
    }
    QTableWidget* table() const { return m_table; }
    QLabel* statusLine() const { return m_status; }

    // The next import or export dialog returns this instead of showing; a
    // null QString stands for a cancelled dialog.
    void setNextFileName(const QString& answer) { m_nextFileNames.push_back(answer); }

    void addClick();
    void removeClick();
    void moveUpClick();
    void moveDownClick();
    void sortClick();
    void importClick();
    void exportClick();
    void saveClick();
    void restoreClick();

    // Fechar, Esc and the title bar: unsaved changes are offered for saving.
    void reject() override;

signals:
    // A catalogue in effect changed: the main window's lists follow.
    void cataloguesChanged();

private:
    std::vector<CatalogueEntry>& shown() { return m_entries[static_cast<int>(m_shown)]; }
    const char* fileName(List list) const;
    std::string marker(List list) const;
    // Takes the list in effect; true when its file was read as UTF-8.
    bool loadFromDocument(List list);
    void fillTable(int currentRow);
    void tableItemChanged(int row, int column);
    void moveCurrent(int step);
    std::optional<QString> askFileName(bool save);
    bool reloadIntoDocument(List list);
    void setStatus(const QString& text);
    // Takes what an open cell editor holds into the list.
    void commitEdit();

    Document& m_document;
    std::array<std::vector<CatalogueEntry>, 2> m_entries;
    std::array<bool, 2> m_modified{};
    List m_shown = List::Advantages;
    // The list the table shows, for its cell editors' limits.
    const std::vector<CatalogueEntry>* m_shownEntries = &m_entries[0];
    bool m_filling = false;
    std::deque<QString> m_nextFileNames;

    QRadioButton* m_advantagesButton;
    QRadioButton* m_disadvantagesButton;
    QTableWidget* m_table;
    QLabel* m_status;
};

} // namespace kestrix

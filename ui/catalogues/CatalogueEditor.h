#pragma once

#include <QDialog>
#include <array>
#include <deque>
#include <optional>

class QLabel;
class QRadioButton;
class QTableView;

namespace kestrix {

class CatalogueEditorModel;
struct Document;

// "Catálogos": edits the two catalogues. The entries in effect are offered;
// "Salvar" writes the edited lists to the user's data folder, where they
// come first from then on, and "Restaurar padrão" removes the user's copy of
// the list shown so the site's or the shipped one is in effect again.
//
// The table shows one list through its model; each action tells the view
// only the rows it changed, so a list of a million entries opens, scrolls
// and changes as quickly as one of sixty.
class CatalogueEditor : public QDialog {
    Q_OBJECT
public:
    enum class List { Advantages, Disadvantages };

    explicit CatalogueEditor(Document& document, QWidget* parent = nullptr);

    // Shows the window with the catalogues now in effect.
    void showEditor();

    List shownList() const { return m_shown; }
    void showList(List list);
    CatalogueEditorModel* model(List list) const { return m_models[static_cast<int>(list)]; }
    QTableView* table() const { return m_table; }
    QLabel* statusLine() const { return m_status; }

    // The next import or export dialog returns this instead of showing; a
    // null QString stands for a cancelled dialog.
    void setNextFileName(const QString& answer) { m_nextFileNames.push_back(answer); }
    // Where the next import or export dialog opens: the folder of the file
    // last imported or exported, else the user's documents folder, else the
    // home folder; never the program's folder.
    QString fileDialogFolder() const;

    void addClick();
    void removeClick();
    void moveUpClick();
    void moveDownClick();
    void sortClick();
    void importClick();
    void exportClick();
    // True when every list to write was written.
    bool saveClick();
    void restoreClick();

    // Fechar, Esc and the title bar: unsaved changes are offered for saving,
    // and "Cancelar" keeps the editor open with them.
    void reject() override;
    // Before the program ends: closes the editor as Fechar does; false when
    // the user chose to stay in it.
    bool closeForExit();
    // Whether the open editor holds edits not yet saved (a cell being typed
    // in counts).
    bool hasUnsavedEdits();

signals:
    // A catalogue in effect changed: the main window's lists follow.
    void cataloguesChanged();

private:
    CatalogueEditorModel* shownModel() const { return model(m_shown); }
    static const char* fileName(List list);
    static QString listCaption(List list);
    // A count as a Brazilian reader writes it: 100.000.
    static QString number(int count);
    static QString cutLinesNote(int lines);
    // Takes the list in effect; true when its file was read as UTF-8.
    bool loadFromDocument(List list);
    // Shows a list in the table; the columns keep their widths.
    void setTableModel(CatalogueEditorModel* model);
    int currentRow() const;
    void setCurrentRow(int row);
    void moveCurrent(int step);
    std::optional<QString> askFileName(bool save);
    bool reloadIntoDocument(List list);
    // Refuses, with the row selected and a message, a list whose entry has
    // no name: it would be a blank line in every list.
    bool everyEntryNamed(List list);
    bool closeAfterAsking();
    void setStatus(const QString& text);
    // Takes what an open cell editor holds into the list.
    void commitEdit();

    Document& m_document;
    std::array<CatalogueEditorModel*, 2> m_models{};
    List m_shown = List::Advantages;
    std::deque<QString> m_nextFileNames;
    QString m_lastFolder;

    QRadioButton* m_advantagesButton;
    QRadioButton* m_disadvantagesButton;
    QTableView* m_table;
    QLabel* m_status;
};

} // namespace kestrix

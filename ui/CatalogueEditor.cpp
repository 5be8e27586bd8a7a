#include "CatalogueEditor.h"

#include "CatalogueFile.h"
#include "CharacterRecord.h"
#include "Document.h"
#include "ErrorBox.h"
#include "FormLayout.h"
#include "QuestionBox.h"
#include "TextConversion.h"
#include "WindowPlacement.h"
#include "WindowSetup.h"
#include "Windows1252Validator.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

namespace kestrix {

namespace {

enum Column { kNameColumn, kCostColumn, kVariableColumn };

constexpr int kLineCapacity = static_cast<int>(CharacterRecord::kItemCapacity);

// An item line holds the cost, a blank and the name: what one of them may
// take is what the other leaves. An empty cost is typed when the item is
// acquired, so it counts as one character.
int typingRoom(const std::string& other, bool otherIsCost) {
    const int otherLength = static_cast<int>(other.size());
    const int used = (otherIsCost ? std::max(otherLength, 1) : otherLength) + 1;
    return std::max(kLineCapacity - used, 1);
}

// Edits a name or a cost as the main window's edits do: only what
// Windows-1252 holds, and no more than the item line leaves.
class EntryDelegate : public QStyledItemDelegate {
public:
    EntryDelegate(const std::vector<CatalogueEntry>* const* entries, QObject* parent)
        : QStyledItemDelegate(parent), m_entries(entries) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setValidator(new Windows1252Validator(edit));
        const auto& entry = (**m_entries).at(static_cast<std::size_t>(index.row()));
        const bool name = index.column() == kNameColumn;
        const int room = name ? typingRoom(entry.cost, true) : typingRoom(entry.name, false);
        // A longer text from a file is not cut by opening it for editing.
        const int current = static_cast<int>((name ? entry.name : entry.cost).size());
        edit->setMaxLength(std::max(room, current));
        return edit;
    }

private:
    const std::vector<CatalogueEntry>* const* m_entries;
};

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

CatalogueEditor::CatalogueEditor(Document& document, QWidget* parent)
    : QDialog(parent, windowFlagsFor(WindowKind::Dialog)), m_document(document) {
    setUpWindow(this, "frmCatalogos", "Catálogos", 449, 361);
    // clang-format off
    const FormControl layout[] = {
        form::radioButton("rb_vantagens",    "&Vantagens/Perícias", 8, 8, 140, 17),
        form::radioButton("rb_desvantagens", "&Desvantagens",     156, 8, 120, 17),
        form::table("tb_itens", 8, 30, 329, 249),
        form::button("cm_adicionar", "&Adicionar",         345, 30, 96, 25),
        form::button("cm_remover",   "&Remover",           345, 58, 96, 25),
        form::button("cm_subir",     "S&ubir",             345, 94, 96, 25),
        form::button("cm_descer",    "D&escer",            345, 122, 96, 25),
        form::button("cm_ordenar",   "&Ordem alfabética",  345, 158, 96, 25),
        form::button("cm_importar",  "&Importar ...",      345, 194, 96, 25),
        form::button("cm_exportar",  "E&xportar ...",      345, 222, 96, 25),
        form::label("Personagens que já têm um item guardam o texto dele.", 8, 285, 433, 16)
            .named("lb_aviso"),
        form::panel("pn_status", 8, 303, 433, 20),
        form::label("", 4, 2, 425, 16).named("lb_status").in("pn_status"),
        form::button("cm_salvar",    "&Salvar",            8, 329, 96, 25),
        form::button("cm_restaurar", "Restaurar &padrão",  112, 329, 112, 25),
        form::button("cm_fechar",    "&Fechar",            345, 329, 96, 25),
    };
    // clang-format on
    buildForm(this, layout);
    m_advantagesButton = formControl<QRadioButton>(this, "rb_vantagens");
    m_disadvantagesButton = formControl<QRadioButton>(this, "rb_desvantagens");
    m_table = formControl<QTableWidget>(this, "tb_itens");
    m_status = formControl<QLabel>(this, "lb_status");

    m_table->setAccessibleName(utf8("Itens do catálogo"));
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels({utf8("Nome"), utf8("Custo"), utf8("Custo variável")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(18);
    // The name takes what the cost and the check box leave: no sideways
    // scrolling in a window of fixed size.
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(kCostColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(kVariableColumn, QHeaderView::ResizeToContents);
    m_table->setColumnWidth(kCostColumn, 44);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setItemDelegate(new EntryDelegate(&m_shownEntries, m_table));
    connect(m_table, &QTableWidget::cellChanged, this, &CatalogueEditor::tableItemChanged);

    m_advantagesButton->setChecked(true);
    connect(m_advantagesButton, &QRadioButton::toggled, this,
            [this](bool on) { showList(on ? List::Advantages : List::Disadvantages); });
    const std::pair<const char*, void (CatalogueEditor::*)()> buttons[] = {
        {"cm_adicionar", &CatalogueEditor::addClick},
        {"cm_remover", &CatalogueEditor::removeClick},
        {"cm_subir", &CatalogueEditor::moveUpClick},
        {"cm_descer", &CatalogueEditor::moveDownClick},
        {"cm_ordenar", &CatalogueEditor::sortClick},
        {"cm_importar", &CatalogueEditor::importClick},
        {"cm_exportar", &CatalogueEditor::exportClick},
        {"cm_salvar", &CatalogueEditor::saveClick},
        {"cm_restaurar", &CatalogueEditor::restoreClick},
    };
    for (const auto& [name, handler] : buttons)
        connect(formControl<QPushButton>(this, name), &QPushButton::clicked, this, handler);
    // Enter belongs to the table's cells: no button takes it.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    connect(formControl<QPushButton>(this, "cm_fechar"), &QPushButton::clicked, this,
            &QDialog::close);
}

const char* CatalogueEditor::fileName(List list) const {
    return list == List::Advantages ? kAdvantageCatalogueName : kDisadvantageCatalogueName;
}

std::string CatalogueEditor::marker(List list) const {
    return std::string(list == List::Advantages ? Catalogue::kAdvantageMarker
                                                : Catalogue::kDisadvantageMarker);
}

void CatalogueEditor::showEditor() {
    // Open already: the edits in it stay.
    if (!isVisible()) {
        QStringList readAsUtf8;
        for (List list : {List::Advantages, List::Disadvantages}) {
            if (loadFromDocument(list))
                readAsUtf8 << QString::fromUtf8(fileName(list));
        }
        // Said once, when the lists are taken: Salvar writes them as Windows-1252.
        setStatus(readAsUtf8.isEmpty() ? QString()
                                       : utf8("%1 lido como UTF-8; Salvar grava em Windows-1252.")
                                             .arg(readAsUtf8.join(utf8(" e "))));
        fillTable(0);
        centreOnScreen(this);
    }
    show();
    raise();
    activateWindow();
}

bool CatalogueEditor::loadFromDocument(List list) {
    const Catalogue& catalogue =
        list == List::Advantages ? m_document.advantageCatalogue : m_document.disadvantageCatalogue;
    m_entries[static_cast<int>(list)] = catalogueEntries(catalogue);
    m_modified[static_cast<int>(list)] = false;
    return catalogue.readAsUtf8();
}

void CatalogueEditor::showList(List list) {
    commitEdit();
    m_shown = list;
    const QSignalBlocker block(m_advantagesButton);
    m_advantagesButton->setChecked(list == List::Advantages);
    m_disadvantagesButton->setChecked(list == List::Disadvantages);
    fillTable(0);
}

void CatalogueEditor::fillTable(int currentRow) {
    m_shownEntries = &shown();
    m_filling = true;
    const auto& entries = shown();
    const std::string variable = marker(m_shown);
    m_table->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const CatalogueEntry& entry = entries[static_cast<std::size_t>(row)];
        const bool isVariable = entry.cost == variable;
        auto* name = new QTableWidgetItem(toQString(entry.name));
        auto* cost = new QTableWidgetItem(isVariable ? toQString(Catalogue::kVariableCostText)
                                                     : toQString(entry.cost));
        if (isVariable)
            cost->setFlags(cost->flags() & ~Qt::ItemIsEditable);
        auto* check = new QTableWidgetItem();
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        check->setCheckState(isVariable ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, kNameColumn, name);
        m_table->setItem(row, kCostColumn, cost);
        m_table->setItem(row, kVariableColumn, check);
    }
    m_filling = false;
    if (!entries.empty())
        m_table->setCurrentCell(std::clamp(currentRow, 0, static_cast<int>(entries.size()) - 1),
                                kNameColumn);
}

void CatalogueEditor::tableItemChanged(int row, int column) {
    if (m_filling || row < 0 || row >= static_cast<int>(shown().size()))
        return;
    CatalogueEntry& entry = shown()[static_cast<std::size_t>(row)];
    const QTableWidgetItem* item = m_table->item(row, column);
    if (column == kNameColumn) {
        entry.name = toWindows1252(item->text());
    } else if (column == kCostColumn) {
        entry.cost = toWindows1252(item->text());
    } else {
        const bool variable = item->checkState() == Qt::Checked;
        if (variable == (entry.cost == marker(m_shown)))
            return;
        entry.cost = variable ? marker(m_shown) : std::string();
        m_modified[static_cast<int>(m_shown)] = true;
        // The cost cell changes between "Var." and an editable cost.
        QMetaObject::invokeMethod(
            this, [this, row] { fillTable(row); }, Qt::QueuedConnection);
        return;
    }
    m_modified[static_cast<int>(m_shown)] = true;
}

void CatalogueEditor::addClick() {
    const int row =
        m_table->currentRow() < 0 ? static_cast<int>(shown().size()) : m_table->currentRow() + 1;
    shown().insert(shown().begin() + row, CatalogueEntry{});
    m_modified[static_cast<int>(m_shown)] = true;
    fillTable(row);
    m_table->setFocus();
    m_table->editItem(m_table->item(row, kNameColumn));
}

void CatalogueEditor::removeClick() {
    const int row = m_table->currentRow();
    if (row < 0 || row >= static_cast<int>(shown().size()))
        return;
    shown().erase(shown().begin() + row);
    m_modified[static_cast<int>(m_shown)] = true;
    fillTable(row);
}

void CatalogueEditor::moveCurrent(int step) {
    const int row = m_table->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= static_cast<int>(shown().size()))
        return;
    std::swap(shown()[static_cast<std::size_t>(row)], shown()[static_cast<std::size_t>(target)]);
    m_modified[static_cast<int>(m_shown)] = true;
    fillTable(target);
}

void CatalogueEditor::moveUpClick() {
    moveCurrent(-1);
}

void CatalogueEditor::moveDownClick() {
    moveCurrent(1);
}

void CatalogueEditor::sortClick() {
    sortAlphabetically(shown());
    m_modified[static_cast<int>(m_shown)] = true;
    fillTable(0);
}

std::optional<QString> CatalogueEditor::askFileName(bool save) {
    if (!m_nextFileNames.empty()) {
        const QString answer = m_nextFileNames.front();
        m_nextFileNames.pop_front();
        return answer.isNull() ? std::nullopt : std::optional(answer);
    }
    const QString filter = utf8("Catálogos (*.lib);;Textos (*.txt);;Todos os arquivos (*)");
    const QString path =
        save ? QFileDialog::getSaveFileName(this, utf8("Exportar catálogo"),
                                            QString::fromUtf8(fileName(m_shown)), filter)
             : QFileDialog::getOpenFileName(this, utf8("Importar catálogo"), QString(), filter);
    return path.isEmpty() ? std::nullopt : std::optional(path);
}

void CatalogueEditor::importClick() {
    const auto path = askFileName(false);
    if (!path)
        return;
    Catalogue imported(marker(m_shown));
    if (const Result error = loadCatalogueFile(QFile::encodeName(*path).toStdString(), imported)) {
        showErrorBox(this, *error);
        return;
    }
    shown() = catalogueEntries(imported);
    m_modified[static_cast<int>(m_shown)] = true;
    fillTable(0);
    const QString name = QFileInfo(*path).fileName();
    setStatus(imported.readAsUtf8()
                  ? utf8("%1 lido como UTF-8; Salvar grava em Windows-1252.").arg(name)
                  : utf8("%1 importado.").arg(name));
}

void CatalogueEditor::exportClick() {
    const auto path = askFileName(true);
    if (!path)
        return;
    if (const Result error = saveCatalogueFile(QFile::encodeName(*path).toStdString(),
                                               catalogueFileBytes(shown()))) {
        showErrorBox(this, *error);
        return;
    }
    setStatus(utf8("Catálogo exportado para %1.").arg(QFileInfo(*path).fileName()));
}

// Loads the list's file in effect into the document, as start-up would.
bool CatalogueEditor::reloadIntoDocument(List list) {
    Catalogue& catalogue =
        list == List::Advantages ? m_document.advantageCatalogue : m_document.disadvantageCatalogue;
    const Result error =
        loadCatalogueFile(m_document.dataFolders.locate(fileName(list)), catalogue);
    if (error)
        showErrorBox(this, *error);
    emit cataloguesChanged();
    return !error;
}

void CatalogueEditor::saveClick() {
    commitEdit();
    // Only the changed lists become the user's own: an untouched one keeps
    // following the site's or the shipped file.
    std::vector<List> changed;
    for (List list : {List::Advantages, List::Disadvantages}) {
        if (m_modified[static_cast<int>(list)] || list == m_shown)
            changed.push_back(list);
    }
    for (List list : changed) {
        const std::string path = m_document.dataFolders.userFile(fileName(list));
        if (path.empty()) {
            showErrorBox(this, {0, "No folder of the user's own (HOME is not set)"});
            return;
        }
        if (const Result error =
                saveCatalogueFile(path, catalogueFileBytes(m_entries[static_cast<int>(list)]))) {
            showErrorBox(this, *error);
            return;
        }
        m_modified[static_cast<int>(list)] = false;
        reloadIntoDocument(list);
        setStatus(utf8("Catálogo salvo em %1.").arg(QFile::decodeName(path.c_str())));
    }
}

void CatalogueEditor::restoreClick() {
    const std::string path = m_document.dataFolders.userFile(fileName(m_shown));
    if (path.empty() || !QFileInfo::exists(QFile::decodeName(path.c_str()))) {
        setStatus(utf8("Este catálogo já é o padrão."));
        return;
    }
    if (!askQuestion(this, utf8("Apagar a sua cópia de %1 e voltar ao catálogo padrão?")
                               .arg(QString::fromUtf8(fileName(m_shown)))))
        return;
    if (const Result error = removeDataFile(path)) {
        showErrorBox(this, *error);
        return;
    }
    reloadIntoDocument(m_shown);
    loadFromDocument(m_shown);
    fillTable(0);
    setStatus(utf8("Catálogo padrão restaurado."));
}

void CatalogueEditor::reject() {
    commitEdit();
    if ((m_modified[0] || m_modified[1]) &&
        askQuestion(this, utf8("Os catálogos foram alterados. Salvar as alterações?")))
        saveClick();
    QDialog::reject();
}

void CatalogueEditor::commitEdit() {
    // Leaving the cell commits an editor open in it.
    const int row = m_table->currentRow();
    const int column = m_table->currentColumn();
    if (row < 0)
        return;
    m_table->setCurrentCell(-1, -1);
    m_table->setCurrentCell(row, column);
}

void CatalogueEditor::setStatus(const QString& text) {
    m_status->setText(text);
}

} // namespace kestrix

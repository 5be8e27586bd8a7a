#include "ui/catalogues/CatalogueEditor.h"

#include "document/Document.h"
#include "ui/catalogues/CatalogueEditorDelegate.h"
#include "ui/catalogues/CatalogueEditorModel.h"
#include "ui/dialogs/QuestionBox.h"
#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <algorithm>

namespace kestrix {

namespace {

using Column = CatalogueEditorModel::Column;

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
    m_table = formControl<QTableView>(this, "tb_itens");
    m_status = formControl<QLabel>(this, "lb_status");

    m_models = {new CatalogueEditorModel(std::string(Catalogue::kAdvantageMarker), this),
                new CatalogueEditorModel(std::string(Catalogue::kDisadvantageMarker), this)};
    m_table->setAccessibleName(utf8("Itens do catálogo"));
    // Every row has one height, set once: nothing is measured per row.
    QHeaderView* rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(18);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setItemDelegate(new CatalogueEditorDelegate(m_table));
    setTableModel(shownModel());

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
        {"cm_restaurar", &CatalogueEditor::restoreClick},
    };
    for (const auto& [name, handler] : buttons)
        connect(formControl<QPushButton>(this, name), &QPushButton::clicked, this, handler);
    connect(formControl<QPushButton>(this, "cm_salvar"), &QPushButton::clicked, this,
            [this] { saveClick(); });
    // Enter belongs to the table's cells: no button takes it.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    connect(formControl<QPushButton>(this, "cm_fechar"), &QPushButton::clicked, this,
            &QDialog::close);
}

const char* CatalogueEditor::fileName(List list) {
    return list == List::Advantages ? kAdvantageCatalogueName : kDisadvantageCatalogueName;
}

QString CatalogueEditor::number(int count) {
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(count);
}

QString CatalogueEditor::cutLinesNote(int lines) {
    return (lines == 1 ? utf8("1 linha longa cortada em %2 caracteres.")
                       : utf8("%1 linhas longas cortadas em %2 caracteres.").arg(number(lines)))
        .arg(CatalogueEntries::kLongestLine);
}

QString CatalogueEditor::listCaption(List list) {
    return utf8(list == List::Advantages ? "Vantagens/Perícias" : "Desvantagens");
}

void CatalogueEditor::setTableModel(CatalogueEditorModel* model) {
    if (m_table->model() != model) {
        // The view makes a selection model for each model it is given and
        // leaves the old one to whoever set it.
        QItemSelectionModel* previous = m_table->selectionModel();
        m_table->setModel(model);
        delete previous;
    }
    // The name takes what the cost and the check box leave: no sideways
    // scrolling in a window of fixed size. The box's column is as wide as its
    // caption, measured once rather than against the rows at every change.
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(Column::kNameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(Column::kCostColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(Column::kVariableColumn, QHeaderView::Fixed);
    m_table->setColumnWidth(Column::kCostColumn, 44);
    m_table->setColumnWidth(Column::kVariableColumn,
                            header->sectionSizeHint(Column::kVariableColumn));
}

void CatalogueEditor::showEditor() {
    // Open already: the edits in it stay.
    if (!isVisible()) {
        QStringList readAsUtf8;
        int cutLines = 0;
        for (List list : {List::Advantages, List::Disadvantages}) {
            if (loadFromDocument(list))
                readAsUtf8 << QString::fromUtf8(fileName(list));
            cutLines += model(list)->entries().cutLines();
        }
        // Said once, when the lists are taken: Salvar writes them as Windows-1252.
        QStringList notes;
        if (!readAsUtf8.isEmpty())
            notes << utf8("%1 lido como UTF-8; Salvar grava em Windows-1252.")
                         .arg(readAsUtf8.join(utf8(" e ")));
        if (cutLines > 0)
            notes << cutLinesNote(cutLines);
        setStatus(notes.join(QLatin1Char(' ')));
        setCurrentRow(0);
        centreOnScreen(this);
    }
    show();
    raise();
    activateWindow();
}

void CatalogueEditor::showList(List list) {
    commitEdit();
    m_shown = list;
    const QSignalBlocker block(m_advantagesButton);
    m_advantagesButton->setChecked(list == List::Advantages);
    m_disadvantagesButton->setChecked(list == List::Disadvantages);
    setTableModel(shownModel());
    setCurrentRow(0);
}

int CatalogueEditor::currentRow() const {
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CatalogueEditor::setCurrentRow(int row) {
    const int rows = shownModel()->rowCount();
    if (rows == 0)
        return;
    m_table->setCurrentIndex(
        shownModel()->index(std::clamp(row, 0, rows - 1), Column::kNameColumn));
}

void CatalogueEditor::addClick() {
    commitEdit();
    CatalogueEditorModel* list = shownModel();
    if (!list->canInsert()) {
        setStatus(
            utf8("A lista já tem %1 entradas, o máximo.").arg(number(Catalogue::kMaxEntries)));
        return;
    }
    const int row = currentRow() < 0 ? list->rowCount() : currentRow() + 1;
    list->insertEntry(row);
    setCurrentRow(row);
    m_table->setFocus();
    m_table->edit(list->index(row, Column::kNameColumn));
}

void CatalogueEditor::removeClick() {
    commitEdit();
    const int row = currentRow();
    if (row < 0 || row >= shownModel()->rowCount())
        return;
    shownModel()->removeEntry(row);
    setCurrentRow(row);
}

void CatalogueEditor::moveCurrent(int step) {
    commitEdit();
    const int row = currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= shownModel()->rowCount())
        return;
    shownModel()->swapEntries(row, target);
    setCurrentRow(target);
}

void CatalogueEditor::moveUpClick() {
    moveCurrent(-1);
}

void CatalogueEditor::moveDownClick() {
    moveCurrent(1);
}

void CatalogueEditor::sortClick() {
    commitEdit();
    shownModel()->sortAlphabetically();
    setCurrentRow(0);
}

void CatalogueEditor::reject() {
    closeAfterAsking();
}

bool CatalogueEditor::hasUnsavedEdits() {
    commitEdit();
    return isVisible() &&
           (model(List::Advantages)->isModified() || model(List::Disadvantages)->isModified());
}

bool CatalogueEditor::closeForExit() {
    return !isVisible() || closeAfterAsking();
}

bool CatalogueEditor::closeAfterAsking() {
    commitEdit();
    if (model(List::Advantages)->isModified() || model(List::Disadvantages)->isModified()) {
        switch (askQuestionOrCancel(this,
                                    utf8("Os catálogos foram alterados. Salvar as alterações?"))) {
        case QuestionAnswer::Cancelar:
            return false;
        case QuestionAnswer::Sim:
            // A save that failed has said why; the edits stay to be saved.
            if (!saveClick())
                return false;
            break;
        case QuestionAnswer::Nao:
            break;
        }
    }
    QDialog::reject();
    return true;
}

void CatalogueEditor::commitEdit() {
    // Leaving the cell commits an editor open in it.
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return;
    m_table->setCurrentIndex(QModelIndex());
    m_table->setCurrentIndex(current);
}

void CatalogueEditor::setStatus(const QString& text) {
    m_status->setText(text);
}

} // namespace kestrix

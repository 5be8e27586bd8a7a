#include "Main.h"

#include "CatalogueEditor.h"
#include "CatalogueModel.h"
#include "ErrorBox.h"
#include "ExportPdfCommand.h"
#include "Help.h"
#include "ObservationsMemo.h"
#include "PrintSheet.h"
#include "QtPrintCanvas.h"
#include "TextConversion.h"
#include "ValueEdit.h"
#include "about.h"
#include "desvant.h"
#include "dialog1.h"
#include "dialog2.h"
#include "massage.h"
#include "massage2.h"
#include "vant.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QScopedValueRollback>
#include <algorithm>
#include <iterator>

namespace kestrix {
namespace {

int selectedRow(const QAbstractItemView* list) {
    const auto selected = list->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

// The keys that act on a list's row as a double-click does: Enter or Space
// acquires a catalogue entry, Delete or Enter removes an acquired line.
bool actsAsDoubleClick(const QKeyEvent& key, bool catalogue) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Space:
        return catalogue;
    case Qt::Key_Delete:
        return !catalogue;
    default:
        return false;
    }
}

// A key acts on the row the list shows as current when nothing is selected,
// as after tabbing into it: that row becomes the selected one, so the key
// acts exactly as on a row picked with the mouse. False with no row at all.
bool selectRowForKey(QAbstractItemView* list) {
    if (selectedRow(list) >= 0)
        return true;
    const QModelIndex current = list->currentIndex();
    if (!current.isValid())
        return false;
    list->selectionModel()->select(current,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

} // namespace

// ---- events ----

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (m_terminated) {
        event->accept();
        return;
    }
    event->ignore();
    // A window manager may still offer to close the window while an add
    // dialog has it locked; like any other input, the request waits.
    if (isEnabled())
        FormClose();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Returning true without accepting lets the menu shortcut win: Ctrl+A
        // opens and Ctrl+E exports (an edit box would take both as line
        // movements), and Ctrl+Z and Ctrl+Y undo the character's history,
        // not one field's.
        const QKeyCombination taken[] = {
            Qt::ControlModifier | Qt::Key_A, Qt::ControlModifier | Qt::Key_E,
            Qt::ControlModifier | Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z,
            Qt::ControlModifier | Qt::Key_Y,
        };
        if (std::find(std::begin(taken), std::end(taken), key->keyCombination()) !=
                std::end(taken) &&
            isActiveWindow())
            return true;
    }
    const bool keyed = event->type() == QEvent::KeyPress;
    if (keyed || event->type() == QEvent::MouseButtonDblClick) {
        const struct {
            QAbstractItemView* list;
            bool catalogue;
            void (TfrmMain::*handler)();
        } lists[] = {
            {ls_Vant, true, &TfrmMain::ls_vantdblclick},
            {ls_DV, true, &TfrmMain::ls_DVdblclick},
            {ls_vant_adq, false, &TfrmMain::ls_vant_adqDblClick},
            {ls_DV_adq, false, &TfrmMain::ls_DV_adqDblClick},
        };
        for (const auto& [list, catalogue, handler] : lists) {
            // Keys reach the list, double-clicks its viewport.
            if (watched != (keyed ? static_cast<QObject*>(list) : list->viewport()))
                continue;
            if (keyed && !actsAsDoubleClick(*static_cast<QKeyEvent*>(event), catalogue))
                break;
            // A filter sees input that a disabled list would drop, and the
            // window is disabled while an add dialog is open.
            if (!list->isEnabled())
                return true;
            if (keyed && !selectRowForKey(list))
                break;
            (this->*handler)();
            // Handled once here, though the application filter sees it too.
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- handlers ----

void TfrmMain::tx_nomeChange() {
    if (m_refilling)
        return;
    m_characterDocument->setName(toWindows1252(tx_nome->text()));
}

void TfrmMain::tx_atribChange(Attribute which) {
    if (m_refilling)
        return;
    m_characterDocument->setAttribute(
        which, toWindows1252(m_attributeEdits[static_cast<int>(which)]->text()));
}

void TfrmMain::tx_focusChange(MagicPath which) {
    if (m_refilling)
        return;
    m_characterDocument->setMagicPath(which,
                                      toWindows1252(m_magicEdits[static_cast<int>(which)]->text()));
}

void TfrmMain::Mm_observChange() {
    m_characterDocument->setObservations(Mm_observ->text(), Mm_observ->sheetLines());
}

void TfrmMain::ls_vantclick() {
    const int row = selectedRow(ls_Vant);
    if (row >= 0 && row < m_document.advantageCatalogue.size())
        lb_cs_vant->setText(m_advantageModel->shownCost(row));
}

void TfrmMain::ls_DVClick() {
    const int row = selectedRow(ls_DV);
    if (row >= 0 && row < m_document.disadvantageCatalogue.size())
        lb_cs_DV->setText(m_disadvantageModel->shownCost(row));
}

void TfrmMain::ls_vantdblclick() {
    openAddDialog(*m_addvant, ls_Vant, m_document.advantageCatalogue,
                  m_document.sheet.advantages().size(), lb_cs_vant);
}

void TfrmMain::ls_DVdblclick() {
    openAddDialog(*m_addDV, ls_DV, m_document.disadvantageCatalogue,
                  m_document.sheet.disadvantages().size(), lb_cs_DV);
}

// The dialogs are not modal; this window stays disabled until the dialog or
// the list-full notice has closed.
void TfrmMain::openAddDialog(AddItemDialog& dialog, QListView* catalogueList,
                             const Catalogue& catalogue, std::size_t acquired,
                             const QLabel* shownCost) {
    // With no entry selected there is nothing to acquire.
    const QModelIndexList selected = catalogueList->selectionModel()->selectedRows();
    if (selected.isEmpty() || selected.constFirst().row() >= catalogue.size())
        return;
    if (acquired < static_cast<std::size_t>(CharacterSheet::kMaxItems)) {
        m_characterDocument->addDialogOpened();
        dialog.showFor(toQString(catalogue.name(selected.constFirst().row())), shownCost->text());
    } else {
        m_msgbox2->showNotice();
    }
    m_addOrigin = catalogueList;
    setEnabled(false);
}

void TfrmMain::addDialogClosed() {
    setEnabled(true);
    // The keyboard returns to the list the item came from. Left to itself it
    // would land on the name, where the next Backspace edits the character.
    if (m_addOrigin)
        m_addOrigin->setFocus(Qt::ActiveWindowFocusReason);
    activateWindow();
}

void TfrmMain::ls_vant_adqDblClick() {
    m_characterDocument->removeAdvantage(selectedRow(ls_vant_adq));
}

void TfrmMain::ls_DV_adqDblClick() {
    m_characterDocument->removeDisadvantage(selectedRow(ls_DV_adq));
}

void TfrmMain::BitBtn3Click() {
    if (const auto path = m_fileDialogs.askPicture())
        setPictureFile(*path);
}

void TfrmMain::setPictureFile(const QString& path) {
    if (const Result error = m_characterDocument->setPictureFile(path))
        showErrorBox(this, *error);
}

void TfrmMain::BitBtn4Click() {
    m_characterDocument->removePicture();
}

void TfrmMain::bitbtn5click() {
    m_characterDocument->useDefaultPicture();
}

void TfrmMain::NovoClick() {
    m_commands.newCharacter();
}
void TfrmMain::AbrirClick() {
    m_commands.open();
}
void TfrmMain::SalvarClick() {
    m_commands.save();
}
void TfrmMain::SalvarComoClick() {
    m_commands.saveAs();
}
// Printing and the preview come with Qt's print support, in a module loaded
// the first time either is chosen.
PrintModule* TfrmMain::printModule() {
    if (!m_printModule && !m_printModuleError)
        m_printModule = loadPrintModule(this, m_printModuleError);
    return m_printModule.get();
}

void TfrmMain::Imprimir1Click() {
    PrintModule* print = printModule();
    const Result error =
        print == nullptr
            ? m_printModuleError
            : print->print(m_document.sheet, printJobTitle(m_document),
                           toPrintPicture(shownPicture()), QtPrintPicture::bitmap(m_icone));
    if (error)
        showErrorBox(this, *error);
}

void TfrmMain::ExportarPDFClick() {
    if (const Result error = exportPdf(m_fileDialogs, m_document, shownPicture()))
        showErrorBox(this, *error);
}

void TfrmMain::VisualizarClick() {
    PrintModule* print = printModule();
    if (print == nullptr) {
        showErrorBox(this, *m_printModuleError);
        return;
    }
    print->preview(
        [this](QPaintDevice& page) {
            QtPrintCanvas canvas(page);
            const PrintSheetInput input{m_document.sheet,
                                        canvas.addPicture(toPrintPicture(shownPicture())),
                                        canvas.addPicture(QtPrintPicture::bitmap(m_icone))};
            // A page the preview cannot draw stays blank there; printing
            // it reports why.
            (void)PrintSheet(canvas, input);
        },
        [this] { Imprimir1Click(); });
}

void TfrmMain::SairClick() {
    FormClose();
}
void TfrmMain::FormClose() {
    // Catalogue edits still open in their window are offered first.
    if (m_catalogueEditor && !m_catalogueEditor->closeForExit())
        return;
    m_commands.exit();
}

void TfrmMain::ContedoClick() {
    m_frmHelp->showHelp();
}

void TfrmMain::SobreClick() {
    m_aboutBox->showModal();
}

} // namespace kestrix

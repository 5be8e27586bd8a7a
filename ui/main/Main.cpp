#include "ui/main/Main.h"

#include "document/FileWatch.h"
#include "document/PictureLookup.h"
#include "document/RecoveryKeeper.h"
#include "platform/TextConversion.h"
#include "print/PrintSheet.h"
#include "print/qt/PrintablePicture.h"
#include "print/qt/QtPrintCanvas.h"
#include "storage/FileError.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/dialogs/ErrorBox.h"
#include "ui/dialogs/Help.h"
#include "ui/dialogs/QuestionBox.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/desvant.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/dialog2.h"
#include "ui/dialogs/massage.h"
#include "ui/dialogs/massage2.h"
#include "ui/dialogs/vant.h"
#include "ui/main/EditMenu.h"
#include "ui/main/ExportPdfCommand.h"
#include "ui/main/FileDropTarget.h"
#include "ui/main/FileQuestions.h"
#include "ui/main/QtSessionEnd.h"
#include "ui/main/RecentCharactersMenu.h"
#include "ui/widgets/CatalogueModel.h"
#include "ui/widgets/ObservationsMemo.h"
#include "ui/widgets/ValueEdit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QTimer>
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

void TfrmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back from another program, which may have written the file: the
    // question comes once the activation is over, never inside it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, &TfrmMain::checkFileOnDisk);
}

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
            {m_ui.ls_Vant, true, &TfrmMain::ls_vantdblclick},
            {m_ui.ls_DV, true, &TfrmMain::ls_DVdblclick},
            {m_ui.ls_vant_adq, false, &TfrmMain::ls_vant_adqDblClick},
            {m_ui.ls_DV_adq, false, &TfrmMain::ls_DV_adqDblClick},
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
    m_characterDocument->setName(toWindows1252(m_ui.tx_nome->text()));
}

void TfrmMain::tx_atribChange(Attribute which) {
    if (m_refilling)
        return;
    m_characterDocument->setAttribute(
        which, toWindows1252(m_ui.attributes[static_cast<int>(which)]->text()));
}

void TfrmMain::tx_focusChange(MagicPath which) {
    if (m_refilling)
        return;
    m_characterDocument->setMagicPath(
        which, toWindows1252(m_ui.magicPaths[static_cast<int>(which)]->text()));
}

void TfrmMain::Mm_observChange() {
    m_characterDocument->setObservations(m_ui.Mm_observ->text(), m_ui.Mm_observ->sheetLines());
}

void TfrmMain::ls_vantclick() {
    const int row = selectedRow(m_ui.ls_Vant);
    if (row >= 0 && row < m_document.advantageCatalogue.size())
        m_ui.lb_cs_vant->setText(m_advantageModel->shownCost(row));
}

void TfrmMain::ls_DVClick() {
    const int row = selectedRow(m_ui.ls_DV);
    if (row >= 0 && row < m_document.disadvantageCatalogue.size())
        m_ui.lb_cs_DV->setText(m_disadvantageModel->shownCost(row));
}

void TfrmMain::ls_vantdblclick() {
    openAddDialog(*m_addvant, m_ui.ls_Vant, m_document.advantageCatalogue,
                  m_document.sheet.advantages().size(), m_ui.lb_cs_vant);
}

void TfrmMain::ls_DVdblclick() {
    openAddDialog(*m_addDV, m_ui.ls_DV, m_document.disadvantageCatalogue,
                  m_document.sheet.disadvantages().size(), m_ui.lb_cs_DV);
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
    m_characterDocument->removeAdvantage(selectedRow(m_ui.ls_vant_adq));
}

void TfrmMain::ls_DV_adqDblClick() {
    m_characterDocument->removeDisadvantage(selectedRow(m_ui.ls_DV_adq));
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

// While an add dialog or a notice is up the window is disabled, and the
// character must not change under it.
void TfrmMain::DesfazerClick() {
    if (isEnabled())
        m_characterDocument->undo();
}

void TfrmMain::RefazerClick() {
    if (isEnabled())
        m_characterDocument->redo();
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

// ---- showing the sheet ----

void TfrmMain::refillControls() {
    QScopedValueRollback guard(m_refilling, true);
    const CharacterSheet& sheet = m_document.sheet;
    // Only what differs is set again: an undo elsewhere leaves the caret
    // where it was in the field being typed in.
    if (m_ui.tx_nome->text() != toQString(sheet.name()))
        m_ui.tx_nome->setText(toQString(sheet.name()));
    const auto showValue = [](ValueEdit* edit, const std::string& value) {
        if (edit->text() != toQString(value))
            edit->showText(toQString(value));
    };
    for (int i = 0; i < kAttributeCount; ++i)
        showValue(m_ui.attributes[i], sheet.data().attributes[i]);
    for (int i = 0; i < kMagicPathCount; ++i)
        showValue(m_ui.magicPaths[i], sheet.data().magicPaths[i]);
    refillAcquiredLists();
    if (m_ui.Mm_observ->sheetLines() != sheet.observations()) {
        QStringList observations;
        for (const std::string& line : sheet.observations())
            observations.append(toQString(line));
        m_ui.Mm_observ->setLines(observations);
    }
    showTotals();
}

void TfrmMain::refillAcquiredLists() {
    for (auto [list, lines] : {std::pair{m_ui.ls_vant_adq, &m_document.sheet.advantages()},
                               std::pair{m_ui.ls_DV_adq, &m_document.sheet.disadvantages()}}) {
        list->clear();
        for (const std::string& line : *lines)
            list->addItem(toQString(line));
    }
}

void TfrmMain::showTotals() {
    const TotalsText totals = m_document.sheet.totalsText();
    m_ui.lb_atrib->setText(toQString(totals.attributes));
    m_ui.lb_vanttotal->setText(toQString(totals.advantages));
    m_ui.lb_DVtotal->setText(toQString(totals.disadvantages));
    m_ui.lb_magtotal->setText(toQString(totals.magic));
    m_ui.lb_total->setText(toQString(totals.grand));
}

void TfrmMain::showPicture() {
    const Picture& picture = m_characterDocument->picture();
    if (picture.isEmpty())
        m_ui.figura->clear();
    else
        m_ui.figura->setPixmap(QPixmap::fromImage(picture.image));
}

// The character just put in place shows its own picture, and its history
// starts from there.
void TfrmMain::showPictureOfSheet() {
    const CharacterPicture found = lookUpCharacterPicture(
        m_document.sheet.picturePath(), m_document.file.currentFileName(), m_document.dataFolders);
    // A picture that travelled with its character is saved under the path
    // it was found at; that alone does not make the character modified.
    if (found.movedTo)
        m_document.sheet.setPicturePath(*found.movedTo);
    m_characterDocument->loaded(found.error ? m_modelo : found.picture, m_ui.Mm_observ->text(),
                                m_ui.Mm_observ->sheetLines());
    // A picture that is not there leaves the default one in its place
    // without a word; one that is there and cannot be shown is reported.
    if (!found.error)
        return;
    const auto code = static_cast<FileErrorCode>(found.error->code);
    if (code != FileErrorCode::FileNotFound && code != FileErrorCode::InvalidFilename)
        showErrorBox(this, *found.error);
}

void TfrmMain::showRestoredState() {
    refillControls();
    // The memo gets back its text as typed, not its wrapped lines.
    const QString& typed = m_characterDocument->observationsText();
    if (m_ui.Mm_observ->text() != typed)
        m_ui.Mm_observ->setLines(typed.split('\n'));
}

void TfrmMain::startHistory() {
    m_characterDocument->resetHistory(shownPicture());
}

// ---- DocumentView ----

DocumentView::PromptAnswer TfrmMain::askToSave(SavePrompt prompt) {
    if (prompt == SavePrompt::BeforeNew)
        return m_dialogNovo->ask();
    return m_dialogSair->ask();
}

std::optional<std::string> TfrmMain::askOpenPath() {
    const auto path = m_fileDialogs.askOpenCharacter();
    return path ? std::optional(QFile::encodeName(*path).toStdString()) : std::nullopt;
}

std::optional<std::string> TfrmMain::askSavePath(const std::string& suggestedName) {
    const auto path = m_fileDialogs.askSaveCharacter(QFile::decodeName(suggestedName.c_str()));
    return path ? std::optional(QFile::encodeName(*path).toStdString()) : std::nullopt;
}

void TfrmMain::reportError(const Error& error) {
    showErrorBox(this, error);
}

void TfrmMain::sheetReplaced() {
    refillControls();
    // The file stores the memo's lines as it displays them, or as they
    // were, so that every file that opens saves again unchanged.
    showPictureOfSheet();
}

void TfrmMain::sheetSaved() {
    m_characterDocument->saved();
}

void TfrmMain::terminate() {
    m_terminated = true;
    QCoreApplication::quit();
}

// ---- the desktop ----

void TfrmMain::commitDataRequest(QSessionManager& manager) {
    QtSessionEnd request(manager);
    // Catalogue edits still open in their window are offered first, as Sair
    // offers them.
    OtherUnsavedWork catalogues;
    catalogues.pending = m_catalogueEditor && m_catalogueEditor->hasUnsavedEdits();
    catalogues.offer = [this] { return m_catalogueEditor->closeForExit(); };
    answerSessionEnd(m_document.sheet, m_commands, request, catalogues);
}

void TfrmMain::openRecentCharacter(const std::string& path) {
    // A file that is gone is reported before any prompt about the sheet:
    // there would be nothing to open after it.
    if (!QFileInfo::exists(QFile::decodeName(path.c_str()))) {
        showErrorBox(this, fileError(FileErrorCode::FileNotFound));
        m_recentCharacters->dropMissing();
        return;
    }
    if (!m_commands.openPath(path))
        m_recentCharacters->dropMissing();
}

void TfrmMain::characterFileUsed(const std::string& path) {
    m_recentCharacters->add(path);
}

void TfrmMain::currentFileChanged(const std::string& path) {
    m_fileWatch->follow(path);
}

void TfrmMain::sheetRecovered() {
    m_characterDocument->recovered();
}

bool TfrmMain::askToReplaceChangedFile(const std::string& path) {
    return askQuestion(this, replaceChangedFileQuestion(path));
}

bool TfrmMain::askToReload(const std::string& path) {
    return askQuestion(this, reloadChangedFileQuestion(path));
}

// ---- work kept safe ----

void TfrmMain::keepWorkSafe(RecoveryFolder folder, const std::string& fileArgument) {
    m_recoveryKeeper =
        std::make_unique<RecoveryKeeper>(*m_characterDocument, std::move(folder), this);
    offerRecovery(fileArgument);
}

void TfrmMain::offerRecovery(const std::string& fileArgument) {
    RecoveryFolder& folder = m_recoveryKeeper->folder();
    for (const RecoveryFolder::Found& found : folder.abandoned(fileArgument)) {
        switch (askQuestionSimFirst(this, recoveryQuestion(found.copy))) {
        case QuestionAnswer::Nao:
            folder.remove(found);
            continue;
        case QuestionAnswer::Cancelar:
            return; // left for a later start
        case QuestionAnswer::Sim:
            break;
        }
        m_commands.recover(found.copy);
        // The work is kept by this editor's own copy before the old one goes.
        if (m_recoveryKeeper->flush())
            folder.remove(found);
        return;
    }
}

void TfrmMain::checkFileOnDisk() {
    if (!isEnabled() || !isActiveWindow() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr)
        return;
    m_commands.checkFileOnDisk();
}

} // namespace kestrix

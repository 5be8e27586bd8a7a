#include "document/PictureLookup.h"
#include "platform/TextConversion.h"
#include "storage/FileError.h"
#include "ui/dialogs/ErrorBox.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/dialog2.h"
#include "ui/main/EditHistory.h"
#include "ui/main/Main.h"
#include "ui/widgets/ObservationsMemo.h"
#include "ui/widgets/ValueEdit.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>

// What the main window shows of the sheet, and the view the document
// commands talk to. The window's handlers are in Main.cpp.

namespace kestrix {

// ---- showing the sheet ----

void TfrmMain::refillControls() {
    QScopedValueRollback guard(m_refilling, true);
    const CharacterSheet& sheet = m_document.sheet;
    // Only what differs is set again: an undo elsewhere leaves the caret
    // where it was in the field being typed in.
    if (tx_nome->text() != toQString(sheet.name()))
        tx_nome->setText(toQString(sheet.name()));
    const auto showValue = [](ValueEdit* edit, const std::string& value) {
        if (edit->text() != toQString(value))
            edit->showText(toQString(value));
    };
    for (int i = 0; i < kAttributeCount; ++i)
        showValue(m_attributeEdits[i], sheet.data().attributes[i]);
    for (int i = 0; i < kMagicPathCount; ++i)
        showValue(m_magicEdits[i], sheet.data().magicPaths[i]);
    refillAcquiredLists();
    if (Mm_observ->sheetLines() != sheet.observations()) {
        QStringList observations;
        for (const std::string& line : sheet.observations())
            observations.append(toQString(line));
        Mm_observ->setLines(observations);
    }
    showTotals();
}

void TfrmMain::refillAcquiredLists() {
    for (auto [list, lines] : {std::pair{ls_vant_adq, &m_document.sheet.advantages()},
                               std::pair{ls_DV_adq, &m_document.sheet.disadvantages()}}) {
        list->clear();
        for (const std::string& line : *lines)
            list->addItem(toQString(line));
    }
}

void TfrmMain::showTotals() {
    const TotalsText totals = m_document.sheet.totalsText();
    lb_atrib->setText(toQString(totals.attributes));
    lb_vanttotal->setText(toQString(totals.advantages));
    lb_DVtotal->setText(toQString(totals.disadvantages));
    lb_magtotal->setText(toQString(totals.magic));
    lb_total->setText(toQString(totals.grand));
}

void TfrmMain::showPicture(const Picture& picture) {
    m_shownPicture = picture;
    if (picture.isEmpty())
        figura->clear();
    else
        figura->setPixmap(QPixmap::fromImage(picture.image));
}

void TfrmMain::showPictureOfSheet() {
    const CharacterPicture found =
        lookUpCharacterPicture(m_document.sheet.picturePath(), m_document.dataFolders);
    if (!found.error) {
        showPicture(found.picture);
        return;
    }
    showPicture(m_modelo);
    // A picture that is not there leaves the default one in its place
    // without a word; one that is there and cannot be shown is reported.
    const auto code = static_cast<FileErrorCode>(found.error->code);
    if (code != FileErrorCode::FileNotFound && code != FileErrorCode::InvalidFilename)
        showErrorBox(this, *found.error);
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
    m_document.sheet.setObservations(Mm_observ->sheetLines());
    showPictureOfSheet();
    startHistory();
}

void TfrmMain::terminate() {
    m_terminated = true;
    QCoreApplication::quit();
}

} // namespace kestrix

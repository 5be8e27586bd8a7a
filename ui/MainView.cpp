#include "ErrorBox.h"
#include "Main.h"
#include "ObservationsMemo.h"
#include "TextConversion.h"
#include "ValueEdit.h"
#include "dialog1.h"
#include "dialog2.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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

void TfrmMain::showPicture() {
    const Picture& picture = m_characterDocument->picture();
    if (picture.isEmpty())
        figura->clear();
    else
        figura->setPixmap(QPixmap::fromImage(picture.image));
}

// The character just put in place shows its own picture, and its history
// starts from there.
void TfrmMain::showPictureOfSheet() {
    QString path = toQString(m_document.sheet.picturePath());
    // A bare name, such as the default "modelo.bmp" every character stores,
    // is a data file: the user's or the site's copy comes first.
    if (!path.isEmpty() && !path.contains(QLatin1Char('/')))
        path = QFile::decodeName(
            m_document.dataFolders.locate(QFile::encodeName(path).toStdString()).c_str());
    const PictureLoad load =
        QFileInfo(path).isFile() ? loadPictureFile(path) : PictureLoad{m_modelo, {}};
    m_characterDocument->loaded(load.ok() ? load.picture : m_modelo, Mm_observ->text(),
                                Mm_observ->sheetLines());
    if (!load.ok())
        showErrorBox(this, *load.error);
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

void TfrmMain::terminate() {
    m_terminated = true;
    QCoreApplication::quit();
}

} // namespace kestrix

#include "document/DocumentCommands.h"

#include "core/Windows1252.h"
#include "storage/CatalogueFile.h"
#include "storage/SuggestedFileName.h"

namespace kestrix {

using PromptAnswer = DocumentView::PromptAnswer;
using SavePrompt = DocumentView::SavePrompt;

bool DocumentCommands::reportIfFailed(const Result& result) {
    if (!result)
        return false;
    m_view.reportError(*result);
    return true;
}

bool DocumentCommands::mayWriteOver(const std::string& path) {
    if (path != m_document.file.currentFileName())
        return true;
    // A file only touched, or deleted meanwhile, holds nothing to lose.
    return m_document.file.compareWithDisk().change != DiskChange::Changed ||
           m_view.askToReplaceChangedFile(path);
}

bool DocumentCommands::saveTo(const std::string& path) {
    if (!mayWriteOver(path))
        return false;
    const Result result = m_document.file.SaveCharacter(path, m_document.sheet);
    // The file name is the new one even when the write failed.
    fileChanged();
    if (reportIfFailed(result))
        return false;
    m_document.sheet.clearModified();
    m_view.characterFileUsed(path);
    m_view.sheetSaved();
    return true;
}

bool DocumentCommands::load(const std::string& path) {
    if (reportIfFailed(m_document.file.LoadCharacter(path, m_document.sheet)))
        return false;
    m_document.sheet.clearModified();
    m_view.sheetReplaced();
    fileChanged();
    return true;
}

void DocumentCommands::fileChanged() {
    m_declinedReload.reset();
    m_view.currentFileChanged(m_document.file.currentFileName());
}

void DocumentCommands::recover(const RecoveryCopy& copy) {
    m_document.file.RestoreCharacter(copy.record, copy.filePath, copy.fileOnDisk, m_document.sheet);
    m_view.sheetReplaced();
    m_document.sheet.setModified();
    m_view.sheetRecovered();
    fileChanged();
}

void DocumentCommands::checkFileOnDisk() {
    // One question at a time: the question's own window coming and going
    // asks for another look.
    if (m_checkingFile || m_document.sheet.isModified())
        return;
    const DiskComparison disk = m_document.file.compareWithDisk();
    if (disk.change == DiskChange::Touched)
        m_document.file.acceptOnDisk(disk.now);
    if (disk.change != DiskChange::Changed)
        return;
    // A file that cannot be read now is known by nothing but that.
    const FileSnapshot now = disk.now.value_or(FileSnapshot{});
    if (m_declinedReload && now == *m_declinedReload)
        return;
    m_checkingFile = true;
    const std::string path = m_document.file.currentFileName();
    const bool reload = m_view.askToReload(path);
    m_checkingFile = false;
    // Loading again may fail (the other program left a file that does not
    // open): the same change is not offered again either.
    if (!reload || !openFile(path))
        m_declinedReload = now;
}

bool DocumentCommands::openFile(const std::string& path) {
    if (!load(path))
        return false;
    m_view.characterFileUsed(path);
    return true;
}

bool DocumentCommands::loadTemplate() {
    const std::string path = m_document.dataFolders.locate(kTemplateFileName);
    if (const Result error = m_document.file.LoadCharacter(path, m_document.sheet)) {
        m_view.reportError(dataFileError(path, *error));
        return false;
    }
    m_document.sheet.clearModified();
    m_view.sheetReplaced();
    m_document.file.clearCurrentFileName();
    fileChanged();
    return true;
}

std::string DocumentCommands::suggestedSaveName() const {
    if (!m_document.file.currentFileName().empty())
        return m_document.file.currentFileName();
    // A character's name is a suggestion for a file in the dialog's folder,
    // never a path into another one.
    return windows1252ToUtf8(fileNameFromCharacterName(m_document.sheet.name()));
}

bool DocumentCommands::save() {
    if (!m_document.file.currentFileName().empty())
        return saveTo(m_document.file.currentFileName());
    const auto path = m_view.askSavePath(suggestedSaveName());
    return path && saveTo(*path);
}

void DocumentCommands::saveAs() {
    if (const auto path = m_view.askSavePath(suggestedSaveName()))
        saveTo(*path);
}

bool DocumentCommands::offerToSave(SavePrompt prompt) {
    if (!m_document.sheet.isModified())
        return true;
    switch (m_view.askToSave(prompt)) {
    case PromptAnswer::Sim:
        return save();
    case PromptAnswer::Nao:
        return true;
    case PromptAnswer::Cancelar:
        break;
    }
    return false;
}

void DocumentCommands::newCharacter() {
    if (offerToSave(SavePrompt::BeforeNew))
        loadTemplate();
}

void DocumentCommands::open() {
    // Unsaved changes are offered for saving first, with the prompt New uses.
    if (!offerToSave(SavePrompt::BeforeNew))
        return;
    if (const auto path = m_view.askOpenPath())
        openFile(*path);
}

bool DocumentCommands::openPath(const std::string& path) {
    return offerToSave(SavePrompt::BeforeNew) && openFile(path);
}

void DocumentCommands::exit() {
    if (offerToSave(SavePrompt::BeforeExit))
        m_view.terminate();
}

bool DocumentCommands::mayEndSession() {
    return offerToSave(SavePrompt::BeforeExit);
}

} // namespace kestrix

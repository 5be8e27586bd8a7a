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

bool DocumentCommands::saveTo(const std::string& path) {
    if (reportIfFailed(m_document.file.SaveCharacter(path, m_document.sheet)))
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
    return true;
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

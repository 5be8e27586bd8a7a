#pragma once

#include "core/Error.h"

#include <optional>
#include <string>

namespace kestrix {

// What the document commands need from the windows. Tests implement it
// with scripted answers, so every path runs without a widget.
class DocumentView {
public:
    enum class PromptAnswer { Sim, Nao, Cancelar };
    enum class SavePrompt { BeforeNew, BeforeExit };

    virtual ~DocumentView() = default;

    // Shows the "save changes?" prompt modally and returns the button chosen.
    virtual PromptAnswer askToSave(SavePrompt prompt) = 0;
    // Paths cross this interface in the file system's own encoding (UTF-8);
    // character texts stay Windows-1252.
    // Returns the chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> askOpenPath() = 0;
    virtual std::optional<std::string> askSavePath(const std::string& suggestedName) = 0;
    // Shows an error in the program's one error box.
    virtual void reportError(const Error& error) = 0;
    // The sheet was replaced by a load: refill every control, show its picture.
    virtual void sheetReplaced() = 0;
    // The sheet was written: what it holds now is the saved state.
    virtual void sheetSaved() = 0;
    // Ends the event loop.
    virtual void terminate() = 0;
    // A character file was opened or saved under this path (not the blank
    // template New loads): the list of recent characters takes it.
    virtual void characterFileUsed(const std::string& path) { (void)path; }
    // The file the character belongs to is now `path` (empty: none), after
    // a load, a save, New or a recovery: the window watches it.
    virtual void currentFileChanged(const std::string& path) { (void)path; }
    // The sheet put in place by sheetReplaced() holds unsaved work
    // recovered after a crash: it is modified from the start.
    virtual void sheetRecovered() {}

    // The file at `path` was changed by another program since it was opened
    // or saved: true to write over it anyway.
    virtual bool askToReplaceChangedFile(const std::string& path) = 0;
    // The file at `path`, whose character has no unsaved changes here, was
    // changed by another program: true to load it again.
    virtual bool askToReload(const std::string& path) = 0;
};

} // namespace kestrix

#pragma once

#include "document/Document.h"
#include "document/DocumentView.h"
#include "storage/RecoveryCopy.h"

#include <optional>
#include <string>

namespace kestrix {

// New, Open, Save, Save As and Exit: when to ask, when to write or load,
// and when the modified flag clears (only after a completed write or load).
class DocumentCommands {
public:
    static constexpr const char* kTemplateFileName = "qsz.lib";

    DocumentCommands(Document& document, DocumentView& view) : m_document(document), m_view(view) {}

    void newCharacter();
    void open();
    // Open without the dialog, for a file chosen another way (the recent
    // characters, a file dropped on the window): unsaved changes are offered
    // for saving first. Returns whether the file was loaded.
    bool openPath(const std::string& path);
    // Saves to the current file, or asks for a path when there is none.
    // Returns whether the character was written.
    bool save();
    void saveAs();
    void exit();
    // The user is logging out of the desktop: offers to save as Exit does,
    // without ending the program. Returns whether the logout may go on.
    bool mayEndSession();

    // Loads a character and, on success, leaves the sheet clean.
    bool openFile(const std::string& path);
    // Puts the unsaved work of a recovery copy in place, modified, under
    // the file name it had, as if it had never left.
    void recover(const RecoveryCopy& copy);
    // The current file may have been changed by another program (the
    // window was told so, or came back to the front). With no unsaved
    // changes here, offers to load it again; a change once declined is not
    // offered again.
    void checkFileOnDisk();

    std::string suggestedSaveName() const;

private:
    // Asks about unsaved changes; true when the command may go on.
    bool offerToSave(DocumentView::SavePrompt prompt);
    bool saveTo(const std::string& path);
    bool load(const std::string& path);
    bool loadTemplate();
    bool reportIfFailed(const Result& result);
    // False when the file at `path` was changed by another program since it
    // was loaded or saved here and the user keeps it.
    bool mayWriteOver(const std::string& path);
    void fileChanged();

    Document& m_document;
    DocumentView& m_view;
    std::optional<FileSnapshot> m_declinedReload; // a change the user chose not to load
    bool m_checkingFile = false;
};

} // namespace kestrix

#pragma once

#include <functional>

namespace kestrix {

class DocumentCommands;
class CharacterSheet;

// What the desktop's session manager offers while it ends the session: a
// stand-in for QSessionManager, which no test can make.
class SessionEndRequest {
public:
    virtual ~SessionEndRequest() = default;
    // Waits until this program may show a window; false when it may not.
    virtual bool allowsInteraction() = 0;
    // The program is done asking; other programs may ask now.
    virtual void release() = 0;
    // Asks the session manager to call the logout off.
    virtual void cancel() = 0;
};

// Other unsaved work the logout would lose (the catalogue editor's edits):
// whether there is any, and asking the user about it, true when the logout
// may go on.
struct OtherUnsavedWork {
    bool pending = false;
    std::function<bool()> offer;
};

// Logging out with unsaved changes shows the exit prompt: Sim saves (a
// failed or cancelled save calls the logout off), Não lets the changes go,
// Cancelar calls the logout off. Other unsaved work is offered first, the
// way Exit offers it. Without leave to ask, nothing is shown and the session
// ends as the session manager decides.
void answerSessionEnd(const CharacterSheet& sheet, DocumentCommands& commands,
                      SessionEndRequest& request, const OtherUnsavedWork& other = {});

} // namespace kestrix

#include "document/SessionEnd.h"

#include "core/CharacterSheet.h"
#include "document/DocumentCommands.h"

namespace kestrix {

void answerSessionEnd(const CharacterSheet& sheet, DocumentCommands& commands,
                      SessionEndRequest& request, const OtherUnsavedWork& other) {
    // Asking for leave to interact may keep the logout waiting for other
    // programs: only unsaved work needs it.
    if ((!sheet.isModified() && !other.pending) || !request.allowsInteraction())
        return;
    const bool mayEnd = (!other.pending || other.offer()) && commands.mayEndSession();
    request.release();
    if (!mayEnd)
        request.cancel();
}

} // namespace kestrix

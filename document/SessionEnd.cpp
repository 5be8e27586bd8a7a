#include "document/SessionEnd.h"

#include "core/CharacterSheet.h"
#include "document/DocumentCommands.h"

namespace kestrix {

void answerSessionEnd(const CharacterSheet& sheet, DocumentCommands& commands,
                      SessionEndRequest& request) {
    // Asking for leave to interact may keep the logout waiting for other
    // programs: only a character with changes needs it.
    if (!sheet.isModified() || !request.allowsInteraction())
        return;
    const bool mayEnd = commands.mayEndSession();
    request.release();
    if (!mayEnd)
        request.cancel();
}

} // namespace kestrix

#pragma once

#include "storage/RecoveryCopy.h"

#include <QString>
#include <string>

namespace kestrix {

// The texts of the questions about work kept aside and files changed by
// another program.

// Offers a recovery copy back: its character's name, its file (the whole
// path: it may be any file of the user's) and when it was kept.
QString recoveryQuestion(const RecoveryCopy& copy);
// Before a save over a file another program changed.
QString replaceChangedFileQuestion(const std::string& path);
// A file another program changed under a character with no unsaved changes.
QString reloadChangedFileQuestion(const std::string& path);

} // namespace kestrix

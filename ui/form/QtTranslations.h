#pragma once

class QCoreApplication;

namespace kestrix {

// Qt's own dialogs (the file dialogs, the overwrite question, the print
// dialog and its preview) speak the program's Portuguese whatever the
// user's locale. Returns false when Qt's translations are not installed:
// those dialogs then stay in English, and the program runs on.
bool installQtTranslations(QCoreApplication& application);

} // namespace kestrix

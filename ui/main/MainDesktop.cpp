#include "storage/SessionEnd.h"
#include "ui/dialogs/ErrorBox.h"
#include "ui/main/FileDropTarget.h"
#include "ui/main/Main.h"
#include "ui/main/RecentCharactersMenu.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QSessionManager>

// The main window's part in the desktop around it: the recent characters,
// files dropped on the window and the end of the user's session.

namespace kestrix {
namespace {

// The desktop's session manager, as the document commands see it.
class QtSessionEnd : public SessionEndRequest {
public:
    explicit QtSessionEnd(QSessionManager& manager) : m_manager(manager) {}
    bool allowsInteraction() override { return m_manager.allowsInteraction(); }
    void release() override { m_manager.release(); }
    void cancel() override { m_manager.cancel(); }

private:
    QSessionManager& m_manager;
};

} // namespace

void TfrmMain::setUpDesktop() {
    // A dropped character opens as Open would open it, a dropped picture is
    // taken as "Figura..." takes the one chosen.
    new FileDropTarget(
        this, figura,
        [this](const QString& path) { m_commands.openPath(QFile::encodeName(path).toStdString()); },
        [this](const QString& path) { setPictureFile(path); });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { commitDataRequest(manager); });
}

void TfrmMain::commitDataRequest(QSessionManager& manager) {
    QtSessionEnd request(manager);
    answerSessionEnd(m_document.sheet, m_commands, request);
}

void TfrmMain::openRecentCharacter(const std::string& path) {
    // A file that is gone is reported before any prompt about the sheet:
    // there would be nothing to open after it.
    if (!QFileInfo::exists(QFile::decodeName(path.c_str()))) {
        showErrorBox(this, fileError(FileErrorCode::FileNotFound));
        m_recentCharacters->dropMissing();
        return;
    }
    if (!m_commands.openPath(path))
        m_recentCharacters->dropMissing();
}

void TfrmMain::characterFileUsed(const std::string& path) {
    m_recentCharacters->add(path);
}

} // namespace kestrix

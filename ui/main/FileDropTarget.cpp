#include "ui/main/FileDropTarget.h"

#include "storage/FileError.h"
#include "ui/dialogs/ErrorBox.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace kestrix {
namespace {

// Why a dropped file is refused before anything opens it; nothing for one
// that may be opened. A missing file is left to the reader, which says so.
Result refusal(const QString& path) {
    // The system call would read the name only up to the NUL: another file.
    if (path.contains(QChar(0)))
        return fileError(FileErrorCode::InvalidFilename);
    // Opening a named pipe waits for a writer that may never come, and
    // opening a device may do anything: as the character reader does, only
    // regular files are taken.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fileError(FileErrorCode::AccessDenied);
    return std::nullopt;
}

} // namespace

DroppedFile droppedFile(const QMimeData* data) {
    // Several files at once would leave it unclear which one was meant.
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"qsz")
        return {DroppedFile::Kind::Character, path};
    for (const char* picture : {"bmp", "ico", "wmf", "emf", "png", "jpg", "jpeg", "gif"})
        if (suffix == QLatin1String(picture))
            return {DroppedFile::Kind::Picture, path};
    return {};
}

FileDropTarget::FileDropTarget(QWidget* window, QWidget* pictureBox, Take openCharacter,
                               Take setPicture)
    : QObject(window), m_window(window), m_pictureBox(pictureBox),
      m_openCharacter(std::move(openCharacter)), m_setPicture(std::move(setPicture)) {
    // Edits take dropped text themselves; they are watched too, so that a
    // character dropped on one opens instead of typing its address.
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->acceptDrops())
            child->installEventFilter(this);
    for (QWidget* target : {window, pictureBox}) {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const DroppedFile file = droppedFile(drop->mimeData());
    const bool taken = file.kind == DroppedFile::Kind::Character ||
                       (file.kind == DroppedFile::Kind::Picture && watched == m_pictureBox);
    if (!taken)
        return false;
    // Always a copy, whatever the source proposes: a file manager told that
    // a file was moved deletes the user's original.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;
    if (Result refused = refusal(file.path)) {
        QTimer::singleShot(0, m_window,
                           [window = m_window, error = *refused] { showErrorBox(window, error); });
        return true;
    }
    const Take& take = file.kind == DroppedFile::Kind::Character ? m_openCharacter : m_setPicture;
    QTimer::singleShot(0, m_window, [take, path = file.path] { take(path); });
    return true;
}

} // namespace kestrix

#include "FileDropTarget.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace kestrix {

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
    for (const char* picture : {"bmp", "ico", "wmf", "emf"})
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
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        const Take& take =
            file.kind == DroppedFile::Kind::Character ? m_openCharacter : m_setPicture;
        QTimer::singleShot(0, m_window, [take, path = file.path] { take(path); });
    }
    return true;
}

} // namespace kestrix

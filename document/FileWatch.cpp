#include "document/FileWatch.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

namespace kestrix {

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &FileWatch::mayHaveChanged);
}

FileWatch::~FileWatch() = default;

void FileWatch::follow(const std::string& path) {
    const QString file = QFile::decodeName(path.c_str());
    if (file == m_path)
        return;
    if (m_watcher) {
        if (!m_watcher->files().isEmpty())
            m_watcher->removePaths(m_watcher->files());
        if (!m_watcher->directories().isEmpty())
            m_watcher->removePaths(m_watcher->directories());
    }
    m_settle.stop();
    m_path = file;
    m_folder.clear();
    if (file.isEmpty())
        return;
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this, &FileWatch::changed);
        connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this, &FileWatch::changed);
    }
    m_folder = QFileInfo(file).absolutePath();
    m_watcher->addPath(m_folder);
    m_watcher->addPath(file);
}

void FileWatch::changed() {
    // A file replaced by a rename is no longer the one watched: the watch
    // moves to the new one, or waits for one to appear in the folder.
    if (!m_watcher->files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher->addPath(m_path);
    m_settle.start();
}

} // namespace kestrix

#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

class QFileSystemWatcher;

namespace kestrix {

// Tells when the character's file may have been changed by another program.
// It watches the file and its folder: a program that saves safely writes a
// new file and renames it over the old one, which a watch on the file alone
// loses track of. A burst of changes (a write in steps, a rename) is told
// once, a moment after it ends. Whether the file really changed is for the
// caller to find out.
class FileWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleMilliseconds = 200;

    explicit FileWatch(QObject* parent = nullptr);
    ~FileWatch() override;

    // Watches `path` from now on; an empty path watches nothing.
    void follow(const std::string& path);
    const QString& followed() const { return m_path; }

signals:
    void mayHaveChanged();

private:
    void changed();

    std::unique_ptr<QFileSystemWatcher> m_watcher; // made when first needed
    QString m_path;
    QString m_folder;
    QTimer m_settle;
};

} // namespace kestrix

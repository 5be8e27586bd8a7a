#include "ui/main/RecentCharactersMenu.h"

#include "ui/main/UserSettings.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace kestrix {
namespace {

const QString kSettingsKey = QStringLiteral("recentCharacters");

QString fromPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

} // namespace

RecentCharactersMenu::RecentCharactersMenu(QMenu* menu, Open open) : m_open(std::move(open)) {
    // Nothing shows until the menu opens, when the list is read (another copy
    // of the program may have opened or saved meanwhile): reading the
    // settings has no place in start-up.
    m_separator = menu->addSeparator();
    m_separator->setVisible(false);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        QAction* entry = menu->addAction(QString());
        entry->setVisible(false);
        QObject::connect(entry, &QAction::triggered, menu, [this, i] {
            // Copied: opening the file reorders the list it comes from.
            if (i < m_files.paths().size())
                m_open(std::string(m_files.paths()[i]));
        });
        m_entries[i] = entry;
    }
    menu->addSeparator();
    // The full path shows as the entry's tool tip.
    menu->setToolTipsVisible(true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this] {
        load();
        showEntries();
    });
}

void RecentCharactersMenu::add(const std::string& path) {
    load();
    m_files.add(path);
    store();
    showEntries();
}

void RecentCharactersMenu::dropMissing() {
    load();
    if (m_files.dropMissing(
            [](const std::string& path) { return QFileInfo::exists(fromPath(path)); }))
        store();
    showEntries();
}

void RecentCharactersMenu::load() {
    std::vector<std::string> stored;
    for (const QString& path : userSettings().value(kSettingsKey).toStringList())
        stored.push_back(QFile::encodeName(path).toStdString());
    m_files = RecentFiles(stored);
    // Entries that cannot be paths are read once, not on every look.
    if (m_files.leftOutStored())
        store();
}

void RecentCharactersMenu::store() const {
    QStringList paths;
    for (const std::string& path : m_files.paths())
        paths.append(fromPath(path));
    QSettings settings = userSettings();
    settings.setValue(kSettingsKey, paths);
}

void RecentCharactersMenu::showEntries() {
    const std::vector<std::string>& paths = m_files.paths();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        QAction* entry = m_entries[i];
        entry->setVisible(i < paths.size());
        if (i >= paths.size())
            continue;
        const QString path = fromPath(paths[i]);
        QString name = QFileInfo(path).fileName();
        name.replace(u'&', QStringLiteral("&&"));
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setToolTip(path);
    }
    // With no entries a single separator stands before "Sai&r".
    m_separator->setVisible(!paths.empty());
}

} // namespace kestrix

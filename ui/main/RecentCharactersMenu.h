#pragma once

#include "document/RecentFiles.h"

#include <array>
#include <functional>
#include <string>

class QAction;
class QMenu;

namespace kestrix {

// The characters opened or saved most recently, as "&1" to "&4" entries of
// the file menu between two separators, kept in the user's settings so
// that every run (and every other window of the program) shares them.
class RecentCharactersMenu {
public:
    using Open = std::function<void(const std::string& path)>;

    // Appends a separator, the entries and a separator to `menu`; choosing
    // an entry calls `open` with its path.
    RecentCharactersMenu(QMenu* menu, Open open);

    // The file was opened or saved: it becomes entry 1.
    void add(const std::string& path);
    // Forgets the files that are no longer there.
    void dropMissing();

    std::vector<std::string> paths() const { return m_files.paths(); }

private:
    void load();
    void store() const;
    void showEntries();

    RecentFiles m_files;
    std::array<QAction*, RecentFiles::kMaxCount> m_entries{};
    QAction* m_separator = nullptr;
    Open m_open;
};

} // namespace kestrix

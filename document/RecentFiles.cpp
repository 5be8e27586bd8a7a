#include "document/RecentFiles.h"

#include "storage/Paths.h"

#include <algorithm>

namespace kestrix {
namespace {

// The settings file is anyone's to edit: an entry of a megabyte would be
// shown, compared and stored again on every look at the menu.
bool mayBePath(const std::string& path) {
    return !path.empty() && path.size() < RecentFiles::kMaxPathBytes && !holdsNul(path);
}

} // namespace

RecentFiles::RecentFiles(const std::vector<std::string>& stored) {
    // Newest first as stored: the first four sane, distinct entries.
    for (const std::string& path : stored) {
        if (m_paths.size() == kMaxCount || !mayBePath(path) ||
            std::find(m_paths.begin(), m_paths.end(), path) != m_paths.end()) {
            m_leftOutStored = true;
            continue;
        }
        m_paths.push_back(path);
    }
}

void RecentFiles::add(const std::string& path) {
    if (!mayBePath(path))
        return;
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kMaxCount)
        m_paths.resize(kMaxCount);
}

bool RecentFiles::dropMissing(const std::function<bool(const std::string&)>& exists) {
    const auto kept = std::remove_if(m_paths.begin(), m_paths.end(),
                                     [&](const std::string& path) { return !exists(path); });
    const bool dropped = kept != m_paths.end();
    m_paths.erase(kept, m_paths.end());
    return dropped;
}

} // namespace kestrix

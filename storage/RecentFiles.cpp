#include "RecentFiles.h"

#include <algorithm>

namespace kestrix {

RecentFiles::RecentFiles(const std::vector<std::string>& stored) {
    // Added oldest first, so the newest ends at the front as it was stored.
    for (auto it = stored.rbegin(); it != stored.rend(); ++it)
        add(*it);
}

void RecentFiles::add(const std::string& path) {
    if (path.empty())
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

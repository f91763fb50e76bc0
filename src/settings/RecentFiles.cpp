#include "settings/RecentFiles.h"

#include <algorithm>

namespace settings {

namespace {
std::string key(std::size_t i) {
    return "File" + std::to_string(i + 1);
}
} // namespace

void RecentFiles::Load(const SettingsStore& store) {
    m_files.clear();
    for (std::size_t i = 0; i < kCapacity; ++i) {
        std::string path = store.getString(kSection, key(i), "");
        if (!path.empty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(std::move(path));
    }
}

void RecentFiles::Save(SettingsStore& store) const {
    for (std::size_t i = 0; i < kCapacity; ++i)
        store.writeString(kSection, key(i), i < m_files.size() ? m_files[i] : std::string());
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty())
        return;
    Remove(path);
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > kCapacity)
        m_files.resize(kCapacity);
}

void RecentFiles::Remove(const std::string& path) {
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
}

} // namespace settings

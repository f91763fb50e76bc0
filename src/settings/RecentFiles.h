#pragma once

#include "settings/SettingsStore.h"

#include <cstddef>
#include <string>
#include <vector>

namespace settings {

// The recently used chart documents, newest first, kept in the section "Recent File List"
// as "File1" .. "File4".
class RecentFiles {
public:
    static constexpr std::size_t kCapacity = 4;
    static constexpr const char* kSection = "Recent File List";

    // Reads the list; empty entries are skipped.
    void Load(const SettingsStore& store);
    // Writes every slot (an empty text where there is no file).
    void Save(SettingsStore& store) const;

    // Puts the file first; a file already in the list moves up; the oldest drops out.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    const std::vector<std::string>& files() const { return m_files; }

private:
    std::vector<std::string> m_files;
};

} // namespace settings

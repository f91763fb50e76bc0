#include "settings/SettingsStore.h"


namespace settings {

double SettingsStore::getNumber(std::string_view section, std::string_view key,
                                std::string_view fallbackText) const {
    auto v = readString(section, key);
    return parseLeadingNumber(v ? std::string_view(*v) : fallbackText);
}

namespace {
MemorySettingsStore::Key makeKey(std::string_view section, std::string_view key) {
    return {std::string(section), std::string(key)};
}
} // namespace

std::optional<int> MemorySettingsStore::readInt(std::string_view section,
                                                std::string_view key) const {
    auto it = m_values.find(makeKey(section, key));
    if (it == m_values.end() || !std::holds_alternative<int>(it->second))
        return std::nullopt;
    return std::get<int>(it->second);
}

std::optional<std::string> MemorySettingsStore::readString(std::string_view section,
                                                           std::string_view key) const {
    auto it = m_values.find(makeKey(section, key));
    if (it == m_values.end() || !std::holds_alternative<std::string>(it->second))
        return std::nullopt;
    return std::get<std::string>(it->second);
}

void MemorySettingsStore::writeInt(std::string_view section, std::string_view key, int value) {
    m_values[makeKey(section, key)] = value;
}

void MemorySettingsStore::writeString(std::string_view section, std::string_view key,
                                      std::string_view value) {
    m_values[makeKey(section, key)] = std::string(value);
}

} // namespace settings

#pragma once

#include "astro/TextNumber.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace settings {

// The per-user store of the program's settings: integer and text values by section and key.
// The program keeps them in an INI file through Qt; tests use the in-memory store. A value
// that is absent, or stored with the other type, reads as absent and the caller's default
// applies.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<int> readInt(std::string_view section, std::string_view key) const = 0;
    virtual std::optional<std::string> readString(std::string_view section,
                                                  std::string_view key) const = 0;
    virtual void writeInt(std::string_view section, std::string_view key, int value) = 0;
    virtual void writeString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    int getInt(std::string_view section, std::string_view key, int fallback) const {
        return readInt(section, key).value_or(fallback);
    }
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const {
        auto v = readString(section, key);
        return v ? *v : std::string(fallback);
    }
    // A number kept as text: the default text when absent, then the leading number.
    double getNumber(std::string_view section, std::string_view key,
                     std::string_view fallbackText) const;
};

class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<int> readInt(std::string_view section, std::string_view key) const override;
    std::optional<std::string> readString(std::string_view section,
                                          std::string_view key) const override;
    void writeInt(std::string_view section, std::string_view key, int value) override;
    void writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    std::size_t size() const { return m_values.size(); }
    void clear() { m_values.clear(); }

    using Key = std::pair<std::string, std::string>;
    using Values = std::map<Key, std::variant<int, std::string>, std::less<>>;
    const Values& values() const { return m_values; }

private:
    Values m_values;
};

using astro::formatFixed;
using astro::parseLeadingNumber;

} // namespace settings

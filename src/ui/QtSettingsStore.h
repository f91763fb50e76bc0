#pragma once

#include "settings/SettingsStore.h"

#include <memory>
#include <string>

class QSettings;

namespace ui {

// The program's settings store: an INI file kept by QSettings (by default in the user's
// configuration folder under the organisation and application "Skyvane"). Every value is
// text in the file; an integer is read from text that holds exactly a decimal integer, and
// anything else reads as absent, so the caller's default applies. Qt writes the file
// through a temporary file and a rename.
class QtSettingsStore final : public settings::SettingsStore {
public:
    // The user's settings file.
    QtSettingsStore();
    // A given INI file (tests, --settings).
    explicit QtSettingsStore(const std::string& iniPath);
    ~QtSettingsStore() override;

    std::optional<int> readInt(std::string_view section, std::string_view key) const override;
    std::optional<std::string> readString(std::string_view section,
                                          std::string_view key) const override;
    void writeInt(std::string_view section, std::string_view key, int value) override;
    void writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // Writes pending changes to the file; false when the file cannot be written.
    bool sync();
    std::string fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace ui

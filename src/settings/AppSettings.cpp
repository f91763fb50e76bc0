#include "settings/AppSettings.h"

#include <string>
#include <system_error>

namespace settings {

int ReadViewMode(const SettingsStore& store) {
    const int mode = store.getInt("ViewMode", "Mode", kDefaultViewMode);
    return mode >= 1 && mode <= 4 ? mode : kDefaultViewMode;
}

int ReadAdornedDialogs(const SettingsStore& store) {
    return store.getInt("AdornedDialogs", "AdornedDialogs", 0) != 0 ? 1 : 0;
}

void WriteApplicationSettings(SettingsStore& store, int viewMode, int adornedDialogs) {
    store.writeInt("ViewMode", "Mode", viewMode);
    store.writeInt("AdornedDialogs", "AdornedDialogs", adornedDialogs);
}

namespace {
std::string toolbarSection(int toolbar) {
    return "ToolBar" + std::to_string(toolbar);
}
} // namespace

bool ReadToolbarShown(const SettingsStore& store, int toolbar) {
    return store.getString(toolbarSection(toolbar), "Vis", "non") != "0";
}

void WriteToolbarShown(SettingsStore& store, int toolbar, bool shown) {
    store.writeString(toolbarSection(toolbar), "Vis", shown ? "1" : "0");
}

std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& given,
                                     const std::filesystem::path& currentDirectory,
                                     const std::filesystem::path& installedData) {
    if (given)
        return *given;
    std::error_code ec;
    const std::filesystem::path local = currentDirectory / "data";
    if (std::filesystem::is_directory(local, ec))
        return local;
    return installedData;
}

std::filesystem::path InstalledDataFolder(const std::filesystem::path& executable,
                                          const std::filesystem::path& configuredData,
                                          const std::filesystem::path& sourceData) {
    std::error_code ec;
    if (!executable.empty()) {
        const std::filesystem::path beside =
            executable.parent_path().parent_path() / "share" / "skyvane";
        if (std::filesystem::is_directory(beside, ec))
            return beside;
    }
    if (std::filesystem::is_directory(configuredData, ec))
        return configuredData;
    return sourceData;
}

std::filesystem::path RunningExecutable() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self;
}

std::string SettingsNotSavedMessage(const std::string& file) {
    return "The settings could not be saved to\n" + file +
           "\nThe changes made since the program started are lost; the file keeps the settings "
           "saved before. Check that the disk has room and that the file may be written.";
}

} // namespace settings

#pragma once

#include "settings/SettingsStore.h"

#include <filesystem>
#include <optional>
#include <string>

namespace settings {

// The application-wide values: the display mode (the view type of every chart), the
// adorned-dialogs flag, and the visibility of the three toolbars.
inline constexpr int kDefaultViewMode = 4; // "Black&White View"

// "ViewMode"/"Mode"; absent, or a number that is not a view mode (1..4), gives 4.
int ReadViewMode(const SettingsStore& store);
// "AdornedDialogs"/"AdornedDialogs"; absent gives 0, any other number than 0 is 1.
int ReadAdornedDialogs(const SettingsStore& store);
void WriteApplicationSettings(SettingsStore& store, int viewMode, int adornedDialogs);

// "ToolBar1".."ToolBar3" value "Vis": only a stored "0" hides the toolbar; "1", the default
// "non" and anything else show it.
bool ReadToolbarShown(const SettingsStore& store, int toolbar);
void WriteToolbarShown(SettingsStore& store, int toolbar, bool shown);

// The data folder of an installed program: "share/skyvane" beside the folder of the running
// executable ("/usr/bin/skyvane" reads "/usr/share/skyvane", wherever the package was
// unpacked) when it exists; otherwise the install prefix's folder the build was configured
// for when it exists; otherwise the source tree's data folder (a program run from its build
// tree).
std::filesystem::path InstalledDataFolder(const std::filesystem::path& executable,
                                          const std::filesystem::path& configuredData,
                                          const std::filesystem::path& sourceData);
// The running executable's path (empty when the system does not tell).
std::filesystem::path RunningExecutable();

// The folder the catalogues are read from: the given data folder when there is one;
// otherwise "data" below the current directory when it exists; otherwise the installed
// data folder. The result is the data folder itself.
std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& given,
                                     const std::filesystem::path& currentDirectory,
                                     const std::filesystem::path& installedData);

// What the program says when its settings could not be written on leaving (a full disk, a
// file it may not write): the changes of this run are lost, the file keeps the last ones.
std::string SettingsNotSavedMessage(const std::string& file);

} // namespace settings

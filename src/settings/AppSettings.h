#pragma once

#include "settings/SettingsStore.h"

#include <filesystem>
#include <optional>

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

// The folder the catalogues are read from: the given data folder when there is one;
// otherwise "data" below the current directory when it exists; otherwise the installed
// data folder. The result is the data folder itself.
std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& given,
                                     const std::filesystem::path& currentDirectory,
                                     const std::filesystem::path& installedData);

} // namespace settings

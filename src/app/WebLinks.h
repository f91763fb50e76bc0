#pragma once

#include "app/Commands.h"

#include <QUrl>

#include <filesystem>
#include <functional>

class QWidget;

namespace app {

// Opens an address in the user's browser. Unset, QDesktopServices::openUrl does it; a test
// sets it so that no browser starts.
std::function<void(const QUrl&)>& urlOpenerHook();

// An "On The Web" command: writes the scratch file in the base directory (the folder of the
// data folder), opens the page, and for the comet and asteroid pages then offers the public
// sources of orbital elements in a message box with links. A browser that does not start and
// a scratch file that cannot be written go unnoticed.
void runWebCommand(QWidget* parent, Cmd id, const std::filesystem::path& dataFolder);

// "Help Topics": opens the user guide of the data folder in the browser, or says that it is
// missing.
void openHelpTopics(QWidget* parent, const std::filesystem::path& dataFolder);

} // namespace app

#pragma once

#include "app/Commands.h"

#include <QIcon>
#include <QImage>
#include <QSize>

namespace app {

// The program's pictures, all drawn in code: the start-up picture and the toolbar icons.

// A night sky with the program's name, filling the size.
QImage startupPicture(QSize size);

// The toolbar icon of a command (a null icon for commands without one).
QIcon commandIcon(Cmd id);

// The program's window icon.
QIcon applicationIcon();

} // namespace app

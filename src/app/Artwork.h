#pragma once

#include "app/Commands.h"

#include <QIcon>
#include <QImage>
#include <QSize>

class QPainter;

namespace app {

// The program's pictures, all drawn in code: the start-up picture and the toolbar icons.

// A night sky with the program's name, filling the size.
QImage startupPicture(QSize size);

// The toolbar icon of a command (a null icon for commands without one).
QIcon commandIcon(Cmd id);

// The two background textures of adorned dialogs: 0 a dark slate weave (with the Standard
// View), 1 a pale paper grain (with the Black&White View). 64 x 64, tileable, always the same.
QImage dialogTexture(int which);

// The program's window icon.
QIcon applicationIcon();
// The icon's drawing, in a 64 x 64 box (scale the painter for other sizes); the desktop
// icons are exported from it.
void drawApplicationIcon(QPainter& p);

} // namespace app

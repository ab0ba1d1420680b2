#pragma once

#include <QIcon>
#include <QPixmap>

namespace korvel {

// The program's icon: a gauge dial, drawn once at the sizes the window system asks for.
QIcon applicationIcon();
// The dial at one size (for the installed icon files).
QPixmap applicationIconPixmap(int size);

}  // namespace korvel

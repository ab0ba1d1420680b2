#pragma once

#include <QIcon>

namespace korvel {

// The program's icon: a gauge dial, drawn once at the sizes the window system asks for.
QIcon applicationIcon();

}  // namespace korvel

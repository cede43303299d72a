// Dorvane's program icon as 16-colour pixel art: the tray, the main window and the About box
// show it.
#pragma once

#include "pictures.h"

namespace dorvane {

// A yellow lightning bolt with a black outline on a transparent background.
tonvex::Image ProgramIconLarge();  // 32 by 32
tonvex::Image ProgramIconSmall();  // 16 by 16

}  // namespace dorvane

// The control's identities, from its type library description.
#pragma once

#include <windows.h>

#include "tonvex_h.h"

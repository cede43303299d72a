// The control's identities: those of the type library, and the property page's.
#pragma once

#include <windows.h>

#include "tonvex_h.h"

extern const CLSID CLSID_TonvexPropPage;

// The control's identities, from its type library description.
#pragma once

#include <windows.h>
// OLEMISC_* come with the OLE headers.
#include <oleidl.h>

#include "tonvex_h.h"

// What the control registers and reports as its misc status.
constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME |
                              OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_RECOMPOSEONRESIZE;
static_assert(kMiscStatus == 132241, "the misc status containers know the control by");

// <windows.h> without the ANSI/Unicode macros that share names with the ports' members
// (FindWindow, ReplaceFile). Adapters include it before any port header.
#pragma once

#include <windows.h>

#undef FindWindow
#undef ReplaceFile

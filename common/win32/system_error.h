// The system's own text for an error number or HRESULT, in UTF-8, without the trailing line end.
#pragma once

#include <windows.h>

#include <string>

std::string SystemErrorText(DWORD code);

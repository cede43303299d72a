// A failing file call as the runtime reports it: 53 for a missing file or folder, 70 when another
// program holds the file or the medium is write-protected, 61 for a full disk, 58 for a name
// already taken, 75 for anything else (a read-only file, a folder in the file's place).
#pragma once

#include "runtime_error.h"
#include "windows_prelude.h"

namespace dorvane::win32 {

RuntimeError FileFailure(DWORD error);
[[noreturn]] void ThrowLastFileError();

}  // namespace dorvane::win32

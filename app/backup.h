// Backups of the files beside the program: every generation is kept, none is ever overwritten.
#pragma once

#include <string>

#include "file_system.h"

namespace dorvane {

// Keeps the bytes of the file at `path` (a folder, a separator, a name) in a backup before it
// is replaced by `replacement`, or deleted when `replacement` is null. Nothing is written when
// the file is missing, already holds `replacement`, or a backup already holds its bytes.
// Otherwise the copy goes to NAME.bak (the name without its extension) when that is free, else
// to NAME.<highest number + 1>.bak. A failure leaves every file as it was and is thrown.
void KeepBackup(FileSystem& files, const std::string& path, const std::string* replacement);

}  // namespace dorvane

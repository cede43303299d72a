#include "file_failure.h"

namespace dorvane::win32 {

RuntimeError FileFailure(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return failure::FileNotFound();
    // A read-only file or a folder in the file's place refuses access: the runtime calls that a
    // path error and keeps 70 for a file another program holds.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return failure::PermissionDenied();
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return failure::DiskFull();
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return failure::FileAlreadyExists();
    default:
      return failure::PathFileAccessError();
  }
}

void ThrowLastFileError() { throw FileFailure(GetLastError()); }

}  // namespace dorvane::win32

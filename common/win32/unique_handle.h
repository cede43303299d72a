// An owning kernel handle (event, file, thread): closed when it goes. Empty is null; callers
// turn INVALID_HANDLE_VALUE into a failure before wrapping.
#pragma once

#include <windows.h>

#include <memory>

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

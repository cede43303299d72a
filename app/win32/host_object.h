// Reference counting for the COM objects the program gives a hosted control (site, sink, bag):
// each deletes itself at its last Release, and a count of the living ones shows whether the
// control gave back every reference it took.
#pragma once

#include <windows.h>

namespace dorvane::win32 {

class HostObject {
 public:
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  // Host objects alive on this process's apartment thread.
  static long Living();

 protected:
  HostObject();
  virtual ~HostObject();

  ULONG AddReference() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG DropReference();

 private:
  LONG references_ = 1;  // the creator's
};

}  // namespace dorvane::win32

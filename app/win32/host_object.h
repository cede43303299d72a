// Reference counting for the COM objects the program gives a hosted control (site, sink, bag):
// each deletes itself at its last Release, and a count of the living ones shows whether the
// control gave back every reference it took.
#pragma once

#include "reference_counted.h"

namespace dorvane::win32 {

class HostObject : public ReferenceCounted {
 public:
  // Host objects alive on this process's apartment thread.
  static long Living();

 protected:
  HostObject();
  ~HostObject() override;
};

}  // namespace dorvane::win32

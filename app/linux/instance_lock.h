// One instance per user: a lock on a file that the system releases when the process ends,
// however it ends.
#pragma once

#include <string>

namespace dorvane::linux_host {

class InstanceLock {
 public:
  // The lock file is in $XDG_RUNTIME_DIR, or in the configuration folder without it.
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when another process holds the lock; otherwise this one holds it from now on.
  bool HeldElsewhere();

 private:
  int fd_ = -1;
};

}  // namespace dorvane::linux_host

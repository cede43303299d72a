// The one reference count of a COM object that deletes itself at its last Release. It starts
// at one, the creator's.
#pragma once

#include <windows.h>

class ReferenceCounted {
 public:
  ReferenceCounted(const ReferenceCounted&) = delete;
  ReferenceCounted& operator=(const ReferenceCounted&) = delete;

 protected:
  ReferenceCounted() = default;
  virtual ~ReferenceCounted() = default;

  ULONG AddReference() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  // Deletes the object when the reference was the last.
  ULONG DropReference() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 private:
  LONG references_ = 1;
};

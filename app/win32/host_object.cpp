#include "host_object.h"

#include <atomic>

namespace dorvane::win32 {
namespace {
std::atomic<long> living{0};
}  // namespace

long HostObject::Living() { return living.load(); }

HostObject::HostObject() { ++living; }

HostObject::~HostObject() { --living; }

ULONG HostObject::DropReference() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

}  // namespace dorvane::win32

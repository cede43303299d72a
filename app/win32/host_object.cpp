#include "host_object.h"

#include <atomic>

namespace dorvane::win32 {
namespace {
std::atomic<long> living{0};
}  // namespace

long HostObject::Living() { return living.load(); }

HostObject::HostObject() { ++living; }

HostObject::~HostObject() { --living; }

}  // namespace dorvane::win32

// The control's identities from its contract header, as the platform's GUID.
#pragma once

#include <windows.h>

#include <cstring>

#include "tonvex_contract.h"

namespace dorvane::win32 {

inline GUID ToGuid(const tonvex::contract::Guid& id) {
  GUID guid;
  guid.Data1 = id.Data1;
  guid.Data2 = id.Data2;
  guid.Data3 = id.Data3;
  std::memcpy(guid.Data4, id.Data4, sizeof guid.Data4);
  return guid;
}

}  // namespace dorvane::win32

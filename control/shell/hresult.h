// Automation result codes, with the values COM gives them, so adapters pass them through.
#pragma once

#include <cstdint>

namespace tonvex {

using HResult = int32_t;

namespace hr {
constexpr HResult kOk = 0;
constexpr HResult kFalse = 1;
constexpr HResult kFail = static_cast<HResult>(0x80004005);
constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);
constexpr HResult kMemberNotFound = static_cast<HResult>(0x80020003);   // DISP_E_MEMBERNOTFOUND
constexpr HResult kTypeMismatch = static_cast<HResult>(0x80020005);     // DISP_E_TYPEMISMATCH
constexpr HResult kUnknownName = static_cast<HResult>(0x80020006);      // DISP_E_UNKNOWNNAME
constexpr HResult kOverflow = static_cast<HResult>(0x8002000A);         // DISP_E_OVERFLOW
constexpr HResult kBadParamCount = static_cast<HResult>(0x8002000E);    // DISP_E_BADPARAMCOUNT
constexpr HResult kSetNotPermitted = static_cast<HResult>(0x800A0183);  // CTL_E_SETNOTPERMITTED
constexpr HResult kReadFault = static_cast<HResult>(0x8003001E);        // STG_E_READFAULT
}  // namespace hr

constexpr bool Succeeded(HResult result) { return result >= 0; }

}  // namespace tonvex

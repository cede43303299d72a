// The control's dispatch interface and event interface as data: DISPIDs, names, kinds, types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "variant.h"

namespace tonvex {

namespace dispid {
constexpr int32_t kErrorMsg = 1;
constexpr int32_t kMaxSecond = 2;
constexpr int32_t kSensitivity = 3;
constexpr int32_t kPlayDtmf = 4;
constexpr int32_t kSearchDtmf = 5;
constexpr int32_t kSearchLevel = 6;
constexpr int32_t kEnabled = -514;   // DISPID_ENABLED
constexpr int32_t kAboutBox = -552;  // DISPID_ABOUTBOX
constexpr int32_t kAmbientUserMode = -709;
}  // namespace dispid

enum class MemberKind { Property, Method };

struct ParamInfo {
  const char* Name;
  VarType Type;
};

struct MemberInfo {
  int32_t Dispid;
  const char* Name;
  MemberKind Kind;
  VarType Type;  // the property's type, or the method's result (Empty: none)
  std::vector<ParamInfo> Params;
};

// _DTonvex: properties and methods, in the order the type library lists them.
const std::vector<MemberInfo>& ControlMembers();
// _DTonvexEvents: the events as methods of the source interface, with no result.
const std::vector<MemberInfo>& ControlEvents();

// Lookup as automation names are matched: ASCII letters without regard to case.
const MemberInfo* FindMember(const std::vector<MemberInfo>& members, const std::string& name);
const MemberInfo* FindMember(const std::vector<MemberInfo>& members, int32_t dispid);

}  // namespace tonvex

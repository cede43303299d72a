// The control's dispatch interface and event interface as data: DISPIDs, names, kinds, types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tonvex_contract.h"
#include "variant.h"

namespace tonvex {

namespace dispid {
using contract::dispid::kAboutBox;
using contract::dispid::kAmbientUserMode;
using contract::dispid::kEnabled;
using contract::dispid::kErrorMsg;
using contract::dispid::kMaxSecond;
using contract::dispid::kPlayDtmf;
using contract::dispid::kSearchDtmf;
using contract::dispid::kSearchLevel;
using contract::dispid::kSensitivity;
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

#include "dispatch_table.h"

#include <cctype>

#include "control_site.h"

namespace tonvex {

const std::vector<MemberInfo>& ControlMembers() {
  static const std::vector<MemberInfo> members = {
      {dispid::kErrorMsg, "ErrorMsg", MemberKind::Property, VarType::BStr, {}},
      {dispid::kMaxSecond, "MaxSecond", MemberKind::Property, VarType::I2, {}},
      {dispid::kSensitivity, "Sensitivity", MemberKind::Property, VarType::I4, {}},
      {dispid::kEnabled, "Enabled", MemberKind::Property, VarType::Bool, {}},
      {dispid::kPlayDtmf,
       "PlayDtmf",
       MemberKind::Method,
       VarType::Bool,
       {{"PhoneNum", VarType::BStr}}},
      {dispid::kSearchDtmf, "SearchDtmf", MemberKind::Method, VarType::Bool, {}},
      {dispid::kSearchLevel, "SearchLevel", MemberKind::Method, VarType::Bool, {}},
      {dispid::kAboutBox, "AboutBox", MemberKind::Method, VarType::Empty, {}},
  };
  return members;
}

const std::vector<MemberInfo>& ControlEvents() {
  static const std::vector<MemberInfo> events = {
      {dispid::kDtmfHit,
       "DtmfHit",
       MemberKind::Method,
       VarType::Empty,
       {{"KeyCode", VarType::I2},
        {"Level", VarType::I2},
        {"Sensitivity", VarType::I4},
        {"UnusedSize", VarType::I4}}},
      {dispid::kLevelHit, "LevelHit", MemberKind::Method, VarType::Empty, {{"Level", VarType::I4}}},
      {dispid::kOnError,
       "OnError",
       MemberKind::Method,
       VarType::Empty,
       {{"ErrMsg", VarType::BStr}}},
  };
  return events;
}

const MemberInfo* FindMember(const std::vector<MemberInfo>& members, const std::string& name) {
  for (const MemberInfo& member : members) {
    const std::string candidate = member.Name;
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) {
      same = std::tolower(static_cast<unsigned char>(candidate[i])) ==
             std::tolower(static_cast<unsigned char>(name[i]));
    }
    if (same) return &member;
  }
  return nullptr;
}

const MemberInfo* FindMember(const std::vector<MemberInfo>& members, int32_t dispid) {
  for (const MemberInfo& member : members) {
    if (member.Dispid == dispid) return &member;
  }
  return nullptr;
}

}  // namespace tonvex

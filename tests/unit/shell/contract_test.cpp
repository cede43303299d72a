// The shared contract against what the control serves and what its type library declares.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "dispatch_table.h"
#include "tonvex_contract.h"

namespace {

namespace contract = tonvex::contract;

void ExpectSameInterface(const contract::Member* expected, size_t count,
                         const std::vector<tonvex::MemberInfo>& served) {
  ASSERT_EQ(served.size(), count);
  for (size_t i = 0; i < count; ++i) {
    const contract::Member& member = expected[i];
    const tonvex::MemberInfo* info = tonvex::FindMember(served, member.Dispid);
    ASSERT_NE(info, nullptr) << member.Name;
    EXPECT_STREQ(info->Name, member.Name);
    EXPECT_EQ(info->Kind == tonvex::MemberKind::Property, member.IsProperty) << member.Name;
    EXPECT_EQ(static_cast<uint16_t>(info->Type), static_cast<uint16_t>(member.Type)) << member.Name;
    ASSERT_EQ(info->Params.size(), member.ParamCount) << member.Name;
    for (size_t p = 0; p < member.ParamCount; ++p) {
      EXPECT_STREQ(info->Params[p].Name, member.Params[p].Name) << member.Name;
      EXPECT_EQ(static_cast<uint16_t>(info->Params[p].Type),
                static_cast<uint16_t>(member.Params[p].Type))
          << member.Name << " " << p;
    }
  }
}

std::string GuidText(const contract::Guid& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

// Each name the IDL declares with the uuid attribute written just before it, upper case. Later
// mentions, as in the coclass's list of interfaces, keep the first.
std::map<std::string, std::string> IdlIdentities() {
  std::ifstream file(TONVEX_IDL_PATH);
  if (!file) ADD_FAILURE() << "cannot read " << TONVEX_IDL_PATH;
  std::stringstream idl;
  idl << file.rdbuf();
  const std::string text = idl.str();
  const std::regex token(R"(uuid\(([0-9A-Fa-f-]+)\)|(?:library|dispinterface|coclass)\s+(\w+))");
  std::map<std::string, std::string> identities;
  std::string uuid;
  for (std::sregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) {
    if ((*it)[1].matched) {
      uuid = "{" + (*it)[1].str() + "}";
      for (char& c : uuid) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    } else {
      identities.emplace((*it)[2].str(), uuid);
      uuid.clear();
    }
  }
  return identities;
}

TEST(Contract, DispatchTableServesEveryMemberAndEventAsTheContractStates) {
  ExpectSameInterface(contract::kMembers, std::size(contract::kMembers), tonvex::ControlMembers());
  ExpectSameInterface(contract::kEvents, std::size(contract::kEvents), tonvex::ControlEvents());
  EXPECT_EQ(contract::kDtmfHitParams[contract::kDtmfHitKeyCode].Name, std::string("KeyCode"));
  EXPECT_EQ(contract::kDtmfHitParams[contract::kDtmfHitUnusedSize].Name, std::string("UnusedSize"));
}

TEST(Contract, IdentitiesAreTheTypeLibrarysInBothForms) {
  const std::map<std::string, std::string> idl = IdlIdentities();
  const std::pair<const char*, std::pair<contract::Guid, const char*>> identities[] = {
      {"Tonvex", {contract::kClsidTonvex, contract::kClsidTonvexText}},
      {"TONVEXLib", {contract::kLibId, contract::kLibIdText}},
      {"_DTonvex", {contract::kIidDTonvex, contract::kIidDTonvexText}},
      {"_DTonvexEvents", {contract::kIidDTonvexEvents, contract::kIidDTonvexEventsText}},
  };
  for (const auto& [name, guid] : identities) {
    ASSERT_EQ(idl.count(name), 1u) << name;
    EXPECT_EQ(idl.at(name), guid.second) << name;
    EXPECT_EQ(GuidText(guid.first), guid.second) << name;
  }
}

}  // namespace

// The state the bridge's handlers share: one copy for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace dorvane {

struct PhoneEntry {
  std::string Code;  // exactly three characters
  std::string SigninName;
  std::string FriendlyName;
};

constexpr int kPhoneTableSize = 999;

struct SharedState {
  int16_t InCall = 0;
  int16_t DtmfSearchOn = 0;
  std::string ComPort;
  std::string ModemDialNumber;
  std::string ModemCommand;
  std::string ModemReply;
  std::array<PhoneEntry, kPhoneTableSize> PhoneTable{};
  int16_t PhoneCount = 0;
};

}  // namespace dorvane

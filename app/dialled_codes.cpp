#include "dorvane_frm.h"
#include "object_ref.h"
#include "runtime_error.h"

namespace dorvane {
namespace {

// The symbol of a character code, as a one-character string.
std::string Chr(int16_t code) {
  if (code < 0) throw failure::InvalidProcedureCall();
  const auto c = static_cast<uint32_t>(code);
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) {
    return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  }
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

}  // namespace

void Dorvane_frm::Tonvex_DtmfHit(int16_t KeyCode, int16_t, int32_t, int32_t) {
  try {
    const std::string symbol = Chr(KeyCode);
    if (symbol == "*") {
      DtmfBuffer_.clear();
      return;
    }
    if (symbol == "P") {
      DtmfBuffer_.clear();
      MSComm1.Output("ATH\r");
      return;
    }
    DtmfBuffer_ += symbol;
    if (DtmfBuffer_.size() != 3) return;
    for (int i = 1; i <= state_.PhoneCount; ++i) {
      const PhoneEntry& entry = state_.PhoneTable.at(i - 1);
      if (DtmfBuffer_ != entry.Code) continue;
      CallContact = Use(MsgrUIA).GetContact(entry.SigninName, "");
      ConvWindow = Use(MsgrUIA).StartVoice(CallContact);
      MsgrUIA->SetMyStatus(kStatusOnThePhone);
      state_.InCall = 1;
      Timer2.SetInterval(kSupervisionIntervalMs);
      StopSearchIfOn();
      break;
    }
    DtmfBuffer_.clear();
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, true);
  }
}

}  // namespace dorvane

#include <array>

#include "dorvane_frm.h"
#include "object_ref.h"
#include "runtime_error.h"

namespace dorvane {
namespace {

// What the conversation window shows when a conversation has ended or was cancelled.
const std::array<const char*, 5> kEndPhrases = {"切断", "キャンセルしました", "has ended",
                                                "has canceled", "送信されませんでした"};

}  // namespace

void Dorvane_frm::Timer2_Timer() {
  try {
    if (state_.InCall != 1) return;
    MessengerWindow& window = Use(ConvWindow);
    if (window.IsClosed()) {
      EndConversation(false);
      return;
    }
    bool ended = false;
    for (const char* phrase : kEndPhrases) {
      ended = window.History().find(phrase) != std::string::npos || ended;
    }
    if (ended) EndConversation(true);
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, true);
  }
}

void Dorvane_frm::EndConversation(bool closeWindow) {
  if (closeWindow) ConvWindow->Close();
  state_.InCall = 0;
  MSComm1.Output("ATH\r");
  Use(MsgrUIA).SetMyStatus(kStatusAway);
  StartSearchIfOff();
  Timer2.SetInterval(0);
}

}  // namespace dorvane

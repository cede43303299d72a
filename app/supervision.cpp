#include "dorvane_frm.h"
#include "end_phrases.h"
#include "object_ref.h"
#include "runtime_error.h"

namespace dorvane {

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

#include "dorvane_frm.h"
#include "runtime_error.h"

namespace dorvane {

void Dorvane_frm::ShowError(const std::string& description, int32_t number, bool fatal) {
  const int style = fatal ? kMsgExclamation : kMsgCritical;
  if (fatal) desktop_.HoldEvents();
  try {
    desktop_.MsgBox("ERROR NUMBER  " + std::to_string(number) + "\r\n" + description, style,
                    "ERROR");
  } catch (const RuntimeError&) {
  }
  if (!fatal) return;
  try {
    Tonvex.SetEnabled(false);
  } catch (const RuntimeError&) {
  }
  HangUpBeforeEnd();
  try {
    MSComm1.SetPortOpen(false);
  } catch (const RuntimeError&) {
  }
  try {
    RemoveTrayIcon();
  } catch (const RuntimeError&) {
  }
  EndProgram();
}

void Dorvane_frm::HangUpBeforeEnd() {
  if (state_.InCall != 1) return;
  state_.InCall = 0;
  try {
    MSComm1.Output("ATH\r");
  } catch (const RuntimeError&) {
  }
  try {
    if (MsgrUIA) MsgrUIA->SetMyStatus(kStatusAway);
  } catch (const RuntimeError&) {
  }
}

}  // namespace dorvane

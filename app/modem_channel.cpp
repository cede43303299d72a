#include "dorvane_frm.h"
#include "runtime_error.h"

namespace dorvane {
namespace {

constexpr int64_t kReplyTimeoutMs = 6000;
const char kRing[] = "RING\r";
const char kOk[] = "OK\r";

}  // namespace

void Dorvane_frm::WaitForOk(ReplyRead mode) {
  std::string& reply = state_.ModemReply;
  const int64_t deadline = desktop_.MonotonicMs() + kReplyTimeoutMs;
  for (;;) {
    if (reply.find(kOk) != std::string::npos) return;
    if (deadline < desktop_.MonotonicMs()) return;
    const std::string read = MSComm1.Input();
    const std::string joined = modemLine_.Join(read);
    if (mode == ReplyRead::Append) {
      reply += read;
    } else {
      reply = joined;
    }
    if (read.empty()) desktop_.Nap();
  }
}

void Dorvane_frm::MSComm1_OnComm() {
  try {
    state_.ModemReply = modemLine_.Join(MSComm1.Input());
    if (state_.ModemReply.find(kRing) == std::string::npos) return;
    MSComm1.Output("ATH1\r");
    WaitForOk(ReplyRead::Replace);
    LetPendingEventsRun();
    MSComm1.Output(state_.ModemCommand + "\r");
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, true);
  }
  OpenMenuHeldDuringWait();
}

void Dorvane_frm::DialModem() {
  try {
    LetPendingEventsRun();
    state_.ModemReply.clear();
    MSComm1.Output("ATZ\r");
    WaitForOk(ReplyRead::Append);
    state_.ModemReply.clear();
    MSComm1.Output("ATD" + state_.ModemDialNumber + ";\r");
    WaitForOk(ReplyRead::Append);
  } catch (const RuntimeError&) {
    // The caller goes on without the handset ringing.
  }
}

}  // namespace dorvane

#include "dorvane_frm.h"
#include "end_phrases.h"
#include "object_ref.h"
#include "runtime_error.h"

namespace dorvane {
namespace {

constexpr int32_t kCheckDelayMs = 5000;
constexpr int32_t kRetryDelayMs = 2000;
constexpr int64_t kFrontTimeoutMs = 6000;
const char kAcceptMarker[] = "Alt+T";
const char kAcceptKeys[] = "%T";

}  // namespace

void Dorvane_frm::MsgrUIA_OnIMWindowCreated(const std::shared_ptr<MessengerWindow>& pIMWindow) {
  try {
    if (state_.InCall != 0) return;
    if (!pIMWindow) throw failure::TypeMismatch();
    ConvWindow = pIMWindow;
    Timer1.SetInterval(kCheckDelayMs);
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, true);
  }
}

bool Dorvane_frm::BringToFront(MessengerWindow& window, int64_t deadline) {
  for (;;) {
    if (deadline < desktop_.MonotonicMs()) return false;
    if (shell_.SetForegroundWindow(window.HWND())) return true;
    desktop_.Nap();
  }
}

bool Dorvane_frm::AcceptWhileInFront(MessengerWindow& window, int64_t deadline) {
  // A switch the system granted may still be on its way; another window may also have come
  // forward during the yield. Either way the keys wait for the invitation, never go elsewhere.
  for (;;) {
    if (shell_.SendKeys(window.HWND(), kAcceptKeys)) return true;
    if (deadline < desktop_.MonotonicMs()) return false;
    desktop_.Nap();
  }
}

void Dorvane_frm::Timer1_Timer() {
  bool stoppedSearch = false;
  // The search this check stopped runs again unless a call or the settings dialog holds it.
  auto restartSearch = [&] {
    if (stoppedSearch && state_.InCall == 0 && !preference_.IsLoaded()) StartSearchIfOff();
  };
  try {
    // Held here: a handler run during the check may replace ConvWindow.
    const std::shared_ptr<MessengerWindow> held = ConvWindow;
    MessengerWindow& window = Use(held);
    const std::string text = window.History();
    // A caller who gave up before the check leaves the accept key in the text.
    const bool invitation = text.find(kAcceptMarker) != std::string::npos && !HoldsEndPhrase(text);
    if (invitation && state_.InCall == 0) {
      stoppedSearch = StopSearchIfOn();
      shell_.ShowWindow(window.HWND(), kSwShowNormal);
      const int64_t deadline = desktop_.MonotonicMs() + kFrontTimeoutMs;
      const bool inFront = BringToFront(window, deadline);
      shell_.SetActiveWindow(window.HWND());
      shell_.SetFocus(window.HWND());
      LetPendingEventsRun();
      if (inFront && AcceptWhileInFront(window, deadline)) {
        state_.InCall = 1;
        Use(MsgrUIA).SetMyStatus(kStatusOnThePhone);
        DialModem();
        Timer2.SetInterval(kSupervisionIntervalMs);
      } else {
        // The invitation never came to the front: leave it to the user.
        restartSearch();
      }
    }
    Timer1.SetInterval(0);
  } catch (const RuntimeError&) {
    try {
      // A call already taken must still be supervised to its end.
      if (state_.InCall == 1 && Timer2.Interval() == 0) Timer2.SetInterval(kSupervisionIntervalMs);
      restartSearch();
    } catch (const RuntimeError&) {
    }
    Timer1.SetInterval(kRetryDelayMs);
  }
  OpenMenuHeldDuringWait();
}

}  // namespace dorvane

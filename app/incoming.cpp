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

bool Dorvane_frm::BringToFront(MessengerWindow& window) {
  const int64_t deadline = desktop_.MonotonicMs() + kFrontTimeoutMs;
  for (;;) {
    if (deadline < desktop_.MonotonicMs()) return false;
    if (shell_.SetForegroundWindow(window.HWND())) return true;
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
      const bool inFront = BringToFront(window);
      shell_.SetActiveWindow(window.HWND());
      shell_.SetFocus(window.HWND());
      desktop_.DoEvents();
      if (inFront) {
        shell_.SendKeys(kAcceptKeys);
        state_.InCall = 1;
        Use(MsgrUIA).SetMyStatus(kStatusOnThePhone);
        DialModem();
        Timer2.SetInterval(kSupervisionIntervalMs);
      } else {
        // Alt+T would go to whatever window is in front: leave the invitation to the user.
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
}

}  // namespace dorvane

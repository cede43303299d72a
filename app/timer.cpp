#include "timer.h"

#include "runtime_error.h"

namespace dorvane {

void Timer::SetInterval(int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) throw failure::InvalidPropertyValue();
  interval_ = milliseconds;
  Rearm();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Rearm();
}

void Timer::Rearm() {
  if (enabled_ && interval_ > 0) {
    Arm(static_cast<uint32_t>(interval_));
  } else {
    Disarm();
  }
}

void Timer::Tick() {
  if (!enabled_ || interval_ == 0 || inHandler_ || !handler_) return;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(inHandler_);
  handler_();
}

}  // namespace dorvane

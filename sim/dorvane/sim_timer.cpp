#include "sim_timer.h"

namespace sim {

void SimTimer::SetInterval(int32_t milliseconds) {
  transcript_.Add("timer", Name() + " interval " + std::to_string(milliseconds));
  Timer::SetInterval(milliseconds);
}

void SimTimer::SetEnabled(bool enabled) {
  transcript_.Add("timer", Name() + " enabled " + (enabled ? "True" : "False"));
  Timer::SetEnabled(enabled);
}

void SimTimer::Arm(uint32_t periodMs) {
  Disarm();
  clock_ = loop_.StartTimer(Micros{periodMs} * kMicrosPerMilli,
                            [this] { gate_.Deliver([this] { Tick(); }); });
}

void SimTimer::Disarm() {
  if (clock_ != 0) loop_.StopTimer(clock_);
  clock_ = 0;
}

}  // namespace sim

// A timer control of the program's form on the loop's clock; settings go to the transcript.
#pragma once

#include "event_loop.h"
#include "program_gate.h"
#include "timer.h"
#include "transcript.h"

namespace sim {

class SimTimer : public dorvane::Timer {
 public:
  // Everything is borrowed and must outlive the timer.
  SimTimer(const std::string& name, EventLoop& loop, Transcript& transcript, ProgramGate& gate)
      : Timer(name), loop_(loop), transcript_(transcript), gate_(gate) {}
  ~SimTimer() override { Disarm(); }

  void SetInterval(int32_t milliseconds) override;
  void SetEnabled(bool enabled) override;

 protected:
  void Arm(uint32_t periodMs) override;
  void Disarm() override;

 private:
  EventLoop& loop_;
  Transcript& transcript_;
  ProgramGate& gate_;
  EventLoop::TimerId clock_ = 0;
};

}  // namespace sim

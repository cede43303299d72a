// A form timer as a main-loop timeout; its ticks pass the program's gate.
#pragma once

#include "program.h"
#include "timer.h"

namespace dorvane::linux_host {

class GlibTimer : public Timer {
 public:
  // program is not owned and must outlive the timer.
  GlibTimer(std::string name, Program& program);
  ~GlibTimer() override;

 protected:
  void Arm(uint32_t periodMs) override;
  void Disarm() override;

 private:
  static int OnTimeout(void* self);

  Program& program_;
  unsigned source_ = 0;
};

}  // namespace dorvane::linux_host

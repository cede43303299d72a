// A form timer as a window timer on the main window; its ticks pass the program's gate.
#pragma once

#include "program.h"
#include "timer.h"

namespace dorvane::win32 {

class Win32Timer : public Timer {
 public:
  // program is not owned and must outlive the timer; id is unique among the program's timers.
  Win32Timer(std::string name, Program& program, UINT_PTR id);
  ~Win32Timer() override;

 protected:
  void Arm(uint32_t periodMs) override;
  void Disarm() override;

 private:
  Program& program_;
  UINT_PTR id_;
};

}  // namespace dorvane::win32

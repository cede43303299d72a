#include "win32_timer.h"

namespace dorvane::win32 {

Win32Timer::Win32Timer(std::string name, Program& program, UINT_PTR id)
    : Timer(std::move(name)), program_(program), id_(id) {
  program_.SetTimerTick(id_, [this] { Tick(); });
}

Win32Timer::~Win32Timer() {
  Disarm();
  program_.RemoveTimerTick(id_);
}

// SetTimer with the same id replaces the period and starts the countdown again.
void Win32Timer::Arm(uint32_t periodMs) { SetTimer(program_.MainWindow(), id_, periodMs, nullptr); }

void Win32Timer::Disarm() { KillTimer(program_.MainWindow(), id_); }

}  // namespace dorvane::win32

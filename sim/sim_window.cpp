#include "sim_window.h"

namespace sim {
namespace {

std::map<WindowHandle, SimWindow::Procedure*>& Registry() {
  static std::map<WindowHandle, SimWindow::Procedure*> windows;
  return windows;
}

WindowHandle NewHandle() {
  static WindowHandle last = 0x10000;
  return last += 4;  // never reused, like a fresh window's handle
}

}  // namespace

SimWindow::SimWindow(EventLoop& loop, Procedure procedure)
    : loop_(loop), procedure_(std::move(procedure)), handle_(NewHandle()) {
  Registry()[handle_] = &procedure_;
}

SimWindow::~SimWindow() { Destroy(); }

bool SimWindow::SetTimer(uint32_t id, uint32_t periodMs) {
  if (!IsAlive()) return false;
  KillTimer(id);
  const WindowHandle handle = handle_;
  timers_[id] = loop_.StartTimer(Micros{periodMs} * 1000, [this, handle, id] {
    if (handle_ == handle) procedure_(WindowMessage{WindowMessage::Kind::Timer, id});
  });
  return true;
}

void SimWindow::KillTimer(uint32_t id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  loop_.StopTimer(found->second);
  timers_.erase(found);
}

void SimWindow::Destroy() {
  if (!IsAlive()) return;
  procedure_(WindowMessage{WindowMessage::Kind::Destroy, 0});
  for (const auto& timer : timers_) loop_.StopTimer(timer.second);
  timers_.clear();
  Registry().erase(handle_);
  handle_ = 0;
}

void SimWindow::PostAt(EventLoop& loop, Micros when, WindowHandle target, WindowMessage message) {
  loop.PostAt(when, [target, message] {
    auto found = Registry().find(target);
    if (found != Registry().end()) (*found->second)(message);
  });
}

}  // namespace sim

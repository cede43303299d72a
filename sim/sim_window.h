// A window of the simulated desktop: a handle, a message procedure, posted messages and timers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "event_loop.h"

namespace sim {

using WindowHandle = uintptr_t;

struct WindowMessage {
  enum class Kind { Timer, WaveInData, Destroy };
  Kind kind;
  uint32_t param = 0;  // timer id, or bytes recorded
};

class SimWindow {
 public:
  using Procedure = std::function<void(const WindowMessage&)>;

  SimWindow(EventLoop& loop, Procedure procedure);
  ~SimWindow();
  SimWindow(const SimWindow&) = delete;
  SimWindow& operator=(const SimWindow&) = delete;

  WindowHandle Handle() const { return handle_; }
  bool IsAlive() const { return handle_ != 0; }

  // Same id again restarts the timer with the new period.
  bool SetTimer(uint32_t id, uint32_t periodMs);
  void KillTimer(uint32_t id);
  // Delivers Destroy to the procedure, then the handle is gone: its timers stop and messages
  // still queued for it are dropped.
  void Destroy();

  // Posts to whichever window has the handle when the message is handled, if any still does.
  static void PostAt(EventLoop& loop, Micros when, WindowHandle target, WindowMessage message);

 private:
  EventLoop& loop_;  // not owned
  Procedure procedure_;
  WindowHandle handle_;
  std::map<uint32_t, EventLoop::TimerId> timers_;
};

}  // namespace sim

// The messenger's events, received through its connection point on the event interface
// DMessengerEvents: OnIMWindowCreated (DISPID 1041) reaches the core through PostedCalls, so
// that it runs after the call that opened the window has returned. Other events are ignored.
#pragma once

#include <ocidl.h>

#include <functional>
#include <memory>

#include "com_ptr.h"
#include "messenger.h"
#include "posted_calls.h"

namespace dorvane::win32 {

using WindowCreated = std::function<void(std::shared_ptr<MessengerWindow>)>;

// Advised while it lives. The window is null when the event's argument is not a messenger window.
class MessengerEvents {
 public:
  // calls is not owned and must outlive every event posted.
  MessengerEvents(IDispatch* messenger, PostedCalls& calls, WindowCreated onWindowCreated);
  ~MessengerEvents();
  MessengerEvents(const MessengerEvents&) = delete;
  MessengerEvents& operator=(const MessengerEvents&) = delete;

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace dorvane::win32

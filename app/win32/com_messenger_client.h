// The MessengerClient port over the running messenger's automation object, which may live in
// another process. The program's thread must be a single-threaded COM apartment that pumps
// messages: the messenger's events arrive through it.
#pragma once

#include "messenger.h"
#include "messenger_events.h"
#include "posted_calls.h"

namespace dorvane::win32 {

class ComMessengerClient : public MessengerClient {
 public:
  // calls is not owned; onWindowCreated runs on its thread, once per new conversation window.
  ComMessengerClient(PostedCalls& calls, WindowCreated onWindowCreated)
      : calls_(calls), onWindowCreated_(std::move(onWindowCreated)) {}

  std::shared_ptr<Messenger> CreateMessenger() override;

 private:
  PostedCalls& calls_;
  WindowCreated onWindowCreated_;
};

}  // namespace dorvane::win32

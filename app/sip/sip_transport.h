// What a platform gives the SIP call model: a byte connection to baresip's ctrl_tcp, and the
// conversation windows the user sees.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "messenger.h"

namespace dorvane::sip {

class SipTransport {
 public:
  virtual ~SipTransport() = default;
  // False when nothing accepts within the time the platform allows.
  virtual bool Connect() = 0;
  // False once the connection is gone.
  virtual bool Send(const std::string& bytes) = 0;
  // Waits at most timeoutMs for bytes, dispatching no other event. Sets dropped when the
  // connection has ended; an empty result without it means the time ran out.
  virtual std::string Receive(int timeoutMs, bool& dropped) = 0;
  virtual void Close() = 0;
  // A clock that only goes forward, for the time an answer may take.
  virtual int64_t MonotonicMs() = 0;
};

class ConversationDesk {
 public:
  virtual ~ConversationDesk() = default;
  virtual WindowHandle OpenWindow(const std::string& title) = 0;
  virtual void ShowText(WindowHandle window, const std::string& history) = 0;
  virtual void CloseWindow(WindowHandle window) = 0;
  // Runs task on the event thread after the running handler has returned.
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace dorvane::sip

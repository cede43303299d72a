// The program's one thread: the GLib main loop and the gate every handler passes. A handler
// that ends the program unwinds to the gate; nested handlers (run while another lets pending
// events run) unwind the waiting one too.
#pragma once

#include <functional>

namespace dorvane::linux_host {

class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs a handler. The program's end stops here; any other escape is a fault of the program,
  // which is reported and ends it.
  void Deliver(const std::function<void()>& handler);
  // Runs an event's handler unless events are held back or the program has ended.
  void DeliverEvent(const std::function<void()>& handler);
  // The program is ending: no timer, serial, control or messenger event runs any more.
  void HoldEvents() { held_ = true; }
  bool Held() const { return held_ || ended_; }

  // One pass over the pending events; throws dorvane::ProgramEnded when a handler ended the
  // program.
  void DoEvents();
  // The main loop, until the program ends.
  int Run();
  void End();
  bool Ended() const { return ended_; }

 private:
  struct Loop;
  Loop* loop_;
  bool held_ = false;
  bool ended_ = false;
};

}  // namespace dorvane::linux_host

// The program's thread on the simulated desktop: every handler runs through Deliver, so an
// ended program receives nothing more, and its end unwinds nested handlers to the top.
#pragma once

#include <functional>

namespace sim {

class ProgramGate {
 public:
  void Start() { started_ = true; }
  bool Started() const { return started_; }
  bool Ended() const { return ended_; }
  bool Running() const { return started_ && !ended_; }

  // Runs a handler if the program runs. A handler that ends the program returns here; one that
  // lets anything else escape is a fault of the program: the run stops with status 3.
  void Deliver(const std::function<void()>& handler);
  // Called after a handler let pending events run: if one of them ended the program, the
  // handler that waited unwinds too.
  void UnwindIfEnded() const;

 private:
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace sim

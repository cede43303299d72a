#include "program_gate.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "runtime_error.h"

namespace sim {

void ProgramGate::Deliver(const std::function<void()>& handler) {
  if (!Running()) return;
  try {
    handler();
  } catch (const dorvane::ProgramEnded&) {
    ended_ = true;
  } catch (const std::exception& fault) {
    std::cout << std::flush;
    std::cerr << "dorvane-sim: the program threw out of a handler: " << fault.what() << '\n';
    std::cerr.flush();
    std::_Exit(3);
  }
}

void ProgramGate::UnwindIfEnded() const {
  if (ended_) throw dorvane::ProgramEnded{};
}

}  // namespace sim

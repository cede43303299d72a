// Whole scripts through the simulated world. Scripts that read files beside them or run for
// more than two minutes of virtual time are left out: they test the disk and the clock, not
// the program.
#include <string>
#include <vector>

#include "script.h"
#include "world_run.h"

namespace {

constexpr int64_t kLongestRunMs = 120000;
constexpr int64_t kKeyMs = 200;

bool Worth(const std::vector<scenario::Command>& commands) {
  int64_t virtualMs = 0;
  for (const scenario::Command& command : commands) {
    if (command.op == scenario::Op::LinePlay) return false;
    if (command.op == scenario::Op::Wait) virtualMs += command.number;
    if (command.op == scenario::Op::Key) {
      virtualMs += kKeyMs * static_cast<int64_t>(command.text.size());
    }
    if (virtualMs > kLongestRunMs) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  std::vector<scenario::Command> commands;
  scenario::ParseError error;
  if (!scenario::ParseScript(source, commands, error) || !Worth(commands)) return 0;
  fuzz::RunWorld(std::move(commands));
  return 0;
}

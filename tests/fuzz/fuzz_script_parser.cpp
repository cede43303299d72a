// The script parser on any bytes: it accepts or refuses, and what it accepts is numbered.
#include <cstdlib>
#include <string>
#include <vector>

#include "script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  std::vector<scenario::Command> commands;
  scenario::ParseError error;
  if (scenario::ParseScript(source, commands, error)) {
    int previous = 0;
    for (const scenario::Command& command : commands) {
      if (command.line <= previous) std::abort();
      previous = command.line;
    }
  } else if (error.line < 1 || error.reason.empty()) {
    std::abort();
  }
  return 0;
}

#include "world_run.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "runner.h"

namespace fuzz {

using scenario::Command;
using scenario::Op;

Command Make(Op op, std::string name, std::string text, int64_t number) {
  Command command;
  command.op = op;
  command.name = std::move(name);
  command.text = std::move(text);
  command.number = number;
  return command;
}

std::vector<Command> ReadyWorld() {
  return {Make(Op::MessengerContact, "alice@example.com", "Alice"),
          Make(Op::FileBytes, "DVN.ini", "2\r\n*0\r\nATD0;\r\n"),
          Make(Op::FileBytes, "PhoneLst.txt", "001,alice@example.com,Alice\r\n")};
}

void RunWorld(std::vector<Command> commands) {
  int line = 0;
  for (Command& command : commands) command.line = ++line;
  std::ostringstream transcript;
  std::ostringstream errors;
  int status = 0;
  try {
    scenario::Runner runner("fuzz.scn", std::move(commands), transcript, errors);
    status = runner.Run();
  } catch (const std::exception& failure) {
    errors << failure.what() << '\n';
    status = scenario::kRunnerFailed;
  }
  if (status == scenario::kRunnerFailed) {
    std::fprintf(stderr, "the runner failed:\n%s\ntranscript:\n%s", errors.str().c_str(),
                 transcript.str().c_str());
    std::abort();
  }
}

}  // namespace fuzz

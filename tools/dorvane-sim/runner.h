// Runs a parsed script against the simulated world and checks its transcript.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "script.h"
#include "world.h"

namespace scenario {

// Exit statuses of dorvane-sim.
constexpr int kAllHeld = 0;
constexpr int kExpectFailed = 1;
constexpr int kScriptError = 2;
constexpr int kRunnerFailed = 3;

class Runner {
 public:
  // scriptPath names the script in messages; relative files are found beside it.
  Runner(std::string scriptPath, std::vector<Command> commands, std::ostream& transcript,
         std::ostream& errors);
  int Run();

 private:
  // Ends the run with a status, from however deep in the program the reason was found.
  struct Stop {
    int status;
  };

  void Execute(const Command& command);
  void ExecuteWorld(const Command& command);
  void ExecuteEvent(const Command& command);
  void ExecuteProgramEvent(const Command& command);
  void ExecuteCheck(const Command& command);
  void Expect(const Command& command);
  [[noreturn]] void ScriptError(const Command& command, const std::string& reason);
  [[noreturn]] void ExpectFailed(const Command& command, const std::string& what, size_t from,
                                 size_t to);
  const dorvane::MenuItem* ChooseFromMenu(const dorvane::MenuItem& menu);
  // The tray action's notifications, each a program event of its own.
  void PostTrayAction(const std::string& action);
  sim::Conversation& WindowOf(const Command& command);
  dorvane::Dorvane_frm& RunningProgram(const Command& command);
  void PrintState();
  std::string ScriptFile(const std::string& name) const;

  std::string scriptPath_;
  std::vector<Command> commands_;
  size_t next_ = 0;
  std::ostream& errors_;
  sim::World world_;
  size_t matched_ = 0;                     // lines up to here are behind the last matched one
  std::optional<Command> heldMenuChoice_;  // the menu line that followed a during-wait action
};

}  // namespace scenario

// dorvane-sim: runs the bridge on the simulated platform from a scenario script and prints the
// transcript of everything it does to the outside world.
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "runner.h"
#include "script.h"
#include "standard_output.h"

namespace {

const char* const kUsage =
    "usage: dorvane-sim SCRIPT\n"
    "Runs Dorvane's bridge against a simulated modem, messenger, desktop and telephone line\n"
    "and prints the transcript. Exit status: 0 every check held, 1 a check failed, 2 a script\n"
    "error, 3 the program or the transcript's output failed.\n";

int RunScript(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cerr << path << ": cannot read the script\n";
    return scenario::kScriptError;
  }
  std::ostringstream source;
  source << file.rdbuf();

  std::vector<scenario::Command> commands;
  scenario::ParseError error;
  if (!scenario::ParseScript(source.str(), commands, error)) {
    std::cerr << path << ":" << error.line << ": " << error.reason << '\n';
    return scenario::kScriptError;
  }
  try {
    scenario::Runner runner(path, std::move(commands), std::cout, std::cerr);
    return runner.Run();
  } catch (const std::exception& failure) {
    std::cout.flush();
    std::cerr << "dorvane-sim: " << failure.what() << '\n';
    return scenario::kRunnerFailed;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
  const bool script = argc == 2 && argv[1][0] != '\0' && argv[1][0] != '-';
  return tools::RunTool("dorvane-sim", help || script ? "" : "expected one SCRIPT", help, kUsage,
                        scenario::kRunnerFailed, [&] { return RunScript(argv[1]); });
}

// dorvane-sim: runs the bridge on the simulated platform from a scenario script and prints the
// transcript of everything it does to the outside world.
#include <fstream>
#include <iostream>
#include <sstream>

#include "runner.h"
#include "script.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]).empty() || argv[1][0] == '-') {
    std::cerr << "usage: dorvane-sim SCRIPT\n";
    return scenario::kScriptError;
  }
  const std::string path = argv[1];
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

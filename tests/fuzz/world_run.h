// Runs commands against a fresh simulated world, the way dorvane-sim runs a script, with the
// transcript and the messages thrown away.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script.h"

namespace fuzz {

scenario::Command Make(scenario::Op op, std::string name = "", std::string text = "",
                       int64_t number = 0);

// The world's files and contacts that make the program start and dial: port 2, a contact
// "001" with a messenger entry.
std::vector<scenario::Command> ReadyWorld();

// Runs the commands; a failure of the runner (status 3) is a finding like a crash.
void RunWorld(std::vector<scenario::Command> commands);

}  // namespace fuzz

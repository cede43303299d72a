// The control surface: the commands a test or a demo gives msgrsim, from the command line of a
// second msgrsim or from a script file, one command per line.
//   status online|offline|NUMBER    contacts FILE        invite SIGNIN     chat SIGNIN TEXT...
//   append WINDOW TEXT...           close WINDOW         history WINDOW    script FILE    quit
// WINDOW is a conversation's number or "last"; relative file names are taken from `folder`.
#pragma once

#include <string>
#include <vector>

#include "messenger_state.h"

namespace msgrsim {

struct CommandResult {
  bool ok = true;
  std::wstring text;  // what the command answers, or why it failed
};

CommandResult RunCommand(MessengerState& state, const std::vector<std::wstring>& args,
                         const std::wstring& folder);
// The words of one command line, split and unquoted as a Windows command line is.
std::vector<std::wstring> SplitCommandLine(const std::wstring& line);

}  // namespace msgrsim

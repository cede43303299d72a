#include "dorvane_frm.h"
#include "runtime_error.h"
#include "text_lines.h"

namespace dorvane {

void Dorvane_frm::ReadSettings() {
  const std::string path = ProgramFile("DVN.ini");
  try {
    const std::vector<std::string> lines = SplitLines(files_.FromAnsi(files_.ReadAll(path)));
    if (lines.size() < 3) throw failure::InputPastEndOfFile();
    state_.ComPort = lines[0];
    state_.ModemDialNumber = lines[1];
    state_.ModemCommand = lines[2];
  } catch (const RuntimeError& failure) {
    // The next start takes the first-run path; the damaged file stays as DVN.bak.
    try {
      files_.Copy(path, ProgramFile("DVN.bak"));
      files_.Kill(path);
    } catch (const RuntimeError&) {
    }
    ShowError(failure.Description, failure.Number, true);
  }
}

void Dorvane_frm::WriteSettings() {
  const std::string text = JoinLines({state_.ComPort, state_.ModemDialNumber, state_.ModemCommand});
  files_.ReplaceFile(ProgramFile("DVN.ini"), files_.ToAnsi(text));
}

}  // namespace dorvane

#include "backup.h"
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
    settingsFileKnown_ = true;
  } catch (const RuntimeError& failure) {
    // The next start takes the first-run path; the damaged file is deleted only once a backup
    // holds it.
    try {
      KeepBackup(files_, path, nullptr);
      files_.Kill(path);
    } catch (const RuntimeError&) {
    }
    ShowError(failure.Description, failure.Number, true);
  }
}

void Dorvane_frm::WriteSettings() {
  const std::string path = ProgramFile("DVN.ini");
  const std::string bytes =
      files_.ToAnsi(JoinLines({state_.ComPort, state_.ModemDialNumber, state_.ModemCommand}));
  // A file this run has neither read nor written (a first run does not read it) is kept first.
  if (!settingsFileKnown_) KeepBackup(files_, path, &bytes);
  files_.ReplaceFile(path, bytes);
  settingsFileKnown_ = true;
}

}  // namespace dorvane

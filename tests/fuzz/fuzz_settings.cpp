// Any DVN.ini: the program starts, shows its menu and settings dialog, and dials.
#include <string>

#include "world_run.h"

using scenario::Op;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto commands = fuzz::ReadyWorld();
  commands.push_back(
      fuzz::Make(Op::FileBytes, "DVN.ini", std::string(reinterpret_cast<const char*>(data), size)));
  for (const auto& command :
       {fuzz::Make(Op::Start), fuzz::Make(Op::State), fuzz::Make(Op::Key, "", "*001"),
        fuzz::Make(Op::Wait, "", "", 7000), fuzz::Make(Op::Tray, "right"),
        fuzz::Make(Op::Menu, "", "Preference(&P)"), fuzz::Make(Op::DialogClick, "OK"),
        fuzz::Make(Op::Show, "DVN.ini")}) {
    commands.push_back(command);
  }
  fuzz::RunWorld(std::move(commands));
  return 0;
}

// Any PhoneLst.txt: the program loads it, offers it in the tray menu and dials from it.
#include <string>

#include "world_run.h"

using scenario::Op;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto commands = fuzz::ReadyWorld();
  commands.push_back(fuzz::Make(Op::FileBytes, "PhoneLst.txt",
                                std::string(reinterpret_cast<const char*>(data), size)));
  for (const auto& command :
       {fuzz::Make(Op::Start), fuzz::Make(Op::State), fuzz::Make(Op::Tray, "right"),
        fuzz::Make(Op::Key, "", "*001"), fuzz::Make(Op::Wait, "", "", 7000),
        fuzz::Make(Op::Key, "", "*9"), fuzz::Make(Op::Wait, "", "", 7000)}) {
    commands.push_back(command);
  }
  fuzz::RunWorld(std::move(commands));
  return 0;
}

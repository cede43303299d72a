// The modem's replies in pieces, through the simulated serial port to the program's OnComm:
// the input is pieces separated by NUL bytes, each led by a control byte. Its high bit makes
// the piece the modem's answer to the program's commands instead of text it sends at once;
// the next bit has the handset dial a contact afterwards; the low six bits are the time that
// passes then, in 20 ms steps.
#include <string>

#include "world_run.h"

using scenario::Op;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto commands = fuzz::ReadyWorld();
  commands.push_back(fuzz::Make(Op::Start));
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (size_t start = 0; start < input.size();) {
    size_t end = input.find('\0', start);
    if (end == std::string::npos) end = input.size();
    const std::string piece = input.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    const auto control = static_cast<unsigned char>(piece[0]);
    commands.push_back(
        fuzz::Make((control & 0x80) ? Op::ModemAnswers : Op::ModemSays, "", piece.substr(1)));
    if (control & 0x40) commands.push_back(fuzz::Make(Op::Key, "", "*001"));
    commands.push_back(fuzz::Make(Op::Wait, "", "", (control & 0x3F) * 20));
  }
  commands.push_back(fuzz::Make(Op::State));
  fuzz::RunWorld(std::move(commands));
  return 0;
}

// tonvex-dial: writes a dialling string as the DTMF tones the Tonvex control plays for it.
#include <cstdio>
#include <string>
#include <vector>

#include "dial_options.h"
#include "dial_render.h"
#include "standard_output.h"
#include "wav_encoder.h"

namespace {

bool WriteAll(std::FILE* file, const std::vector<uint8_t>& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
}

// A file that cannot be written completely is removed again.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = WriteAll(file, bytes);
  if (std::fclose(file) == 0 && written) return true;
  std::remove(path.c_str());
  return false;
}

std::string Printable(unsigned char byte) {
  char text[16];
  if (byte >= 0x20 && byte < 0x7f) {
    std::snprintf(text, sizeof text, "'%c'", byte);
  } else {
    std::snprintf(text, sizeof text, "byte 0x%02X", byte);
  }
  return text;
}

int Dial(const dial::DialOptions& options) {
  const tonvex::DialOutcome outcome =
      tonvex::RenderDial(options.symbols, tonvex::GapSamples(options.gapMs));
  if (!outcome.ok) {
    const auto byte = static_cast<unsigned char>(options.symbols[outcome.failedPosition - 1]);
    std::fprintf(stderr, "tonvex-dial: invalid symbol %s at position %zu (%s)\n",
                 Printable(byte).c_str(), outcome.failedPosition, outcome.ErrorMsg.c_str());
    return 2;
  }

  std::vector<uint8_t> wav;
  std::string error;
  if (!dial::EncodeWav(outcome.samples, wav, error)) {
    std::fprintf(stderr, "tonvex-dial: %s\n", error.c_str());
    return 1;
  }
  if (options.out.empty()) {
    // Whether it all arrived shows when standard output is closed.
    std::fwrite(wav.data(), 1, wav.size(), stdout);
  } else if (!WriteFile(options.out, wav)) {
    std::fprintf(stderr, "tonvex-dial: cannot write %s\n", options.out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const dial::ParsedOptions parsed = dial::ParseDialOptions(argc, argv);
  return tools::RunTool("tonvex-dial", parsed.error, parsed.options.help, dial::kDialUsage, 1,
                        [&] { return Dial(parsed.options); });
}

#include "dial_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace dial {

const char* const kDialUsage =
    "usage: tonvex-dial [--gap=MS] [--out=FILE.wav] SYMBOLS\n"
    "Writes the DTMF tones of SYMBOLS (0-9, A-D, *, #), 100 ms each, as one 8-bit mono\n"
    "11025 Hz WAV file.\n"
    "  --gap=MS        milliseconds of silence between two tones, 0 to 60000 (default 0)\n"
    "  --out=FILE.wav  the file to write (default: standard output)\n"
    "  --help          print this text\n";

namespace {

constexpr unsigned long kMaxGapMs = 60000;

bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool ParseGap(const char* text, uint32_t& gapMs) {
  if (*text < '0' || *text > '9') return false;  // strtoul would take a sign or blanks
  errno = 0;
  char* end = nullptr;
  const unsigned long parsed = std::strtoul(text, &end, 10);
  if (errno != 0 || *end != '\0' || parsed > kMaxGapMs) return false;
  gapMs = static_cast<uint32_t>(parsed);
  return true;
}

}  // namespace

ParsedOptions ParseDialOptions(int argc, const char* const* argv) {
  ParsedOptions parsed;
  DialOptions& options = parsed.options;
  bool haveSymbols = false;
  bool onlySymbols = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (onlySymbols || arg[0] != '-') {
      if (haveSymbols) {
        parsed.error = "only one SYMBOLS argument may be given";
        return parsed;
      }
      options.symbols = arg;
      haveSymbols = true;
    } else if (std::strcmp(arg, "--") == 0) {
      onlySymbols = true;
    } else if (std::strcmp(arg, "--help") == 0) {
      options.help = true;
    } else if (StartsWith(arg, "--gap=")) {
      if (!ParseGap(arg + std::strlen("--gap="), options.gapMs)) {
        parsed.error = "--gap takes a whole number of milliseconds from 0 to 60000";
        return parsed;
      }
    } else if (StartsWith(arg, "--out=")) {
      options.out = arg + std::strlen("--out=");
      if (options.out.empty()) {
        parsed.error = "--out needs a file name";
        return parsed;
      }
    } else {
      parsed.error = std::string("unknown option ") + arg;
      return parsed;
    }
  }
  if (!options.help && !haveSymbols) parsed.error = "no SYMBOLS given";
  return parsed;
}

}  // namespace dial

#include "scan_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace scan {

const char* const kScanUsage =
    "usage: tonvex-scan [--level] [--frames] [--sensitivity=N] [--max-second=N] [--keys] FILE\n"
    "Decodes the DTMF keys (or, with --level, the level) in a sound file as the Tonvex control\n"
    "hears them on a sound card input. FILE - reads standard input.\n"
    "  --level          level search: one LevelHit per 100 ms tick\n"
    "  --frames         analyse the samples directly, without capture timing\n"
    "  --sensitivity=N  loudness a tone needs, 1 to 300 (default 50)\n"
    "  --max-second=N   seconds of samples the ring holds, 10 to 120 (default 10)\n"
    "  --keys           print only the reported symbols, on one line\n"
    "  --help           print this text\n";

namespace {

// A whole decimal number within [low, high], or false.
bool ParseBounded(const char* text, int low, int high, int& value) {
  if (*text < '0' || *text > '9') return false;  // strtol would take a sign or blanks
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

ParsedOptions ParseScanOptions(int argc, const char* const* argv) {
  ParsedOptions parsed;
  ScanOptions& options = parsed.options;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (onlyFiles || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      if (!options.file.empty()) {
        parsed.error = "only one FILE may be given";
        return parsed;
      }
      options.file = arg;
    } else if (std::strcmp(arg, "--") == 0) {
      onlyFiles = true;
    } else if (std::strcmp(arg, "--level") == 0) {
      options.level = true;
    } else if (std::strcmp(arg, "--frames") == 0) {
      options.frames = true;
    } else if (std::strcmp(arg, "--keys") == 0) {
      options.keys = true;
    } else if (std::strcmp(arg, "--help") == 0) {
      options.help = true;
    } else if (StartsWith(arg, "--sensitivity=")) {
      if (!ParseBounded(arg + std::strlen("--sensitivity="), 1, 300, options.sensitivity)) {
        parsed.error = "--sensitivity takes a whole number from 1 to 300";
        return parsed;
      }
    } else if (StartsWith(arg, "--max-second=")) {
      if (!ParseBounded(arg + std::strlen("--max-second="), 10, 120, options.maxSecond)) {
        parsed.error = "--max-second takes a whole number from 10 to 120";
        return parsed;
      }
    } else {
      parsed.error = std::string("unknown option ") + arg;
      return parsed;
    }
  }
  if (options.help) return parsed;
  if (options.level && options.frames) {
    parsed.error = "--level needs the capture timing; it does not go with --frames";
  } else if (options.file.empty()) {
    parsed.error = "no FILE given";
  }
  return parsed;
}

}  // namespace scan

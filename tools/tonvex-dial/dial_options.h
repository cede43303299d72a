// Command line of tonvex-dial.
#pragma once

#include <cstdint>
#include <string>

namespace dial {

struct DialOptions {
  bool help = false;
  uint32_t gapMs = 0;  // silence between two tones
  std::string out;     // empty: standard output
  std::string symbols;
};

struct ParsedOptions {
  DialOptions options;
  std::string error;  // empty when the command line is valid
};

ParsedOptions ParseDialOptions(int argc, const char* const* argv);

extern const char* const kDialUsage;

}  // namespace dial

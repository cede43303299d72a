// Command line of tonvex-scan.
#pragma once

#include <string>

namespace scan {

struct ScanOptions {
  bool level = false;
  bool frames = false;
  bool keys = false;
  bool help = false;
  int sensitivity = 50;
  int maxSecond = 10;
  std::string file;
};

struct ParsedOptions {
  ScanOptions options;
  std::string error;  // empty when the command line is valid
};

ParsedOptions ParseScanOptions(int argc, const char* const* argv);

extern const char* const kScanUsage;

}  // namespace scan

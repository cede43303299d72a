// Writes the control's events as tonvex-scan's output lines.
#pragma once

#include <cstdio>
#include <string>

#include "control_site.h"

namespace scan {

class EventPrinter {
 public:
  EventPrinter(std::FILE* out, bool keysOnly) : out_(out), keysOnly_(keysOnly) {}

  // `stamp` is the line's first field: "t=1.200" or "frame=17".
  void Print(const std::string& stamp, int32_t dispid, const tonvex::EventArgs& args);
  // With keys only: the one line of symbols.
  void Finish();

 private:
  std::FILE* out_;  // not owned
  bool keysOnly_;
  std::string keys_;
};

}  // namespace scan

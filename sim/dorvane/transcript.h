// The transcript of what the program does to the outside world: "[S.mmm] SOURCE WHAT" lines,
// printed as they happen and kept for the script's checks.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "event_loop.h"

namespace sim {

class Transcript {
 public:
  // loop and out are not owned.
  Transcript(const EventLoop& loop, std::ostream& out) : loop_(loop), out_(out) {}

  void Add(const std::string& source, const std::string& what);
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  const EventLoop& loop_;
  std::ostream& out_;
  std::vector<std::string> lines_;
};

// "[12.345]" for a time of virtual time.
std::string TimeStamp(Micros time);

}  // namespace sim

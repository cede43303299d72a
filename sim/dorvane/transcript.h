// The transcript of what the program does to the outside world: "[S.mmm] SOURCE WHAT" lines,
// printed as they happen and kept for the script's checks.
#pragma once

#include <deque>
#include <ostream>
#include <string>

#include "event_loop.h"

namespace sim {

class Transcript {
 public:
  // loop and out are not owned.
  Transcript(const EventLoop& loop, std::ostream& out) : loop_(loop), out_(out) {}

  void Add(const std::string& source, const std::string& what);

  // Lines are numbered from 0 in the order they were printed; End is the next number.
  size_t End() const { return first_ + lines_.size(); }
  // A line not yet forgotten.
  const std::string& Line(size_t number) const { return lines_[number - first_]; }
  // Lines before `number` will never be looked at again; a long run keeps only the rest.
  void ForgetBefore(size_t number);

 private:
  const EventLoop& loop_;
  std::ostream& out_;
  std::deque<std::string> lines_;
  size_t first_ = 0;  // the number of lines_.front()
};

// "[12.345]" for a time of virtual time.
std::string TimeStamp(Micros time);

}  // namespace sim

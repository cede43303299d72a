#include "transcript.h"

namespace sim {

std::string TimeStamp(Micros time) {
  const Micros millis = time / kMicrosPerMilli;
  std::string fraction = std::to_string(millis % 1000);
  fraction.insert(0, 3 - fraction.size(), '0');
  return "[" + std::to_string(millis / 1000) + "." + fraction + "]";
}

void Transcript::ForgetBefore(size_t number) {
  while (first_ < number && !lines_.empty()) {
    lines_.pop_front();
    ++first_;
  }
}

void Transcript::Add(const std::string& source, const std::string& what) {
  lines_.push_back(TimeStamp(loop_.Now()) + " " + source + " " + what);
  out_ << lines_.back() << '\n' << std::flush;
}

}  // namespace sim

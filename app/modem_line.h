// The modem's text as lines: a reply split across reads is found when its end arrives.
#pragma once

#include <cstddef>
#include <string>

namespace dorvane {

class ModemLine {
 public:
  // `longestReply` is the longest reply ever matched, its carriage return included.
  explicit ModemLine(size_t longestReply) : keep_(longestReply - 1) {}

  // The text to match: the line left unfinished by the reads before, then `read`. What
  // follows its last carriage return is kept for the next read, at most the characters that
  // could still begin a reply, so text without carriage returns cannot grow it.
  std::string Join(const std::string& read);
  const std::string& Partial() const { return partial_; }

 private:
  size_t keep_;
  std::string partial_;
};

}  // namespace dorvane

// What an expect looks for in a transcript line: a text, or an extended regular expression
// compiled once for all the lines it is tried on.
#pragma once

#include <regex.h>

#include <string>

namespace scenario {

class LineMatcher {
 public:
  // The pattern has passed CheckRegex when `regex` is set.
  LineMatcher(const std::string& pattern, bool regex);
  ~LineMatcher();
  LineMatcher(const LineMatcher&) = delete;
  LineMatcher& operator=(const LineMatcher&) = delete;

  bool Matches(const std::string& line) const;

 private:
  std::string text_;
  bool regex_;
  bool compiled_ = false;
  regex_t pattern_{};
};

}  // namespace scenario

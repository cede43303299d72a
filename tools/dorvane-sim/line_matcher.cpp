#include "line_matcher.h"

namespace scenario {

LineMatcher::LineMatcher(const std::string& pattern, bool regex) : text_(pattern), regex_(regex) {
  if (regex_) compiled_ = regcomp(&pattern_, pattern.c_str(), REG_EXTENDED | REG_NOSUB) == 0;
}

LineMatcher::~LineMatcher() {
  if (compiled_) regfree(&pattern_);
}

bool LineMatcher::Matches(const std::string& line) const {
  if (!regex_) return line.find(text_) != std::string::npos;
  return compiled_ && regexec(&pattern_, line.c_str(), 0, nullptr, 0) == 0;
}

}  // namespace scenario

#include "modem_line.h"

#include <algorithm>

namespace dorvane {

std::string ModemLine::Join(const std::string& read) {
  std::string text = partial_ + read;
  const size_t lineEnd = text.rfind('\r');
  const size_t lineStart = lineEnd == std::string::npos ? 0 : lineEnd + 1;
  const size_t unfinished = text.size() - lineStart;
  partial_ = text.substr(text.size() - std::min(unfinished, keep_));
  return text;
}

}  // namespace dorvane

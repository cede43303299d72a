#include "com_port.h"

#include <algorithm>

#include "runtime_error.h"

namespace dorvane {
namespace {

const std::string kPrefix = "COM";

}  // namespace

int16_t ComPortNumber(const std::string& comPort) {
  const size_t first = comPort.find_first_not_of(' ');
  const size_t last = comPort.find_last_not_of(' ');
  if (first == std::string::npos) throw failure::TypeMismatch();
  std::string digits = comPort.substr(first, last - first + 1);
  bool negative = false;
  if (digits[0] == '+' || digits[0] == '-') {
    negative = digits[0] == '-';
    digits.erase(0, 1);
  }
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    throw failure::TypeMismatch();
  }
  const size_t significant = std::min(digits.find_first_not_of('0'), digits.size());
  if (negative || digits.size() - significant > 5) throw failure::InvalidPropertyValue();
  const long value = digits.size() == significant ? 0 : std::stol(digits.substr(significant));
  if (value < 1 || value > 32767) throw failure::InvalidPropertyValue();
  return static_cast<int16_t>(value);
}

std::vector<std::string> ComEntries(const std::string& comPort) {
  std::vector<std::string> entries;
  for (int port = 1; port <= 6; ++port) entries.push_back(kPrefix + std::to_string(port));
  const std::string current = kPrefix + comPort;
  if (std::find(entries.begin(), entries.end(), current) == entries.end()) {
    entries.push_back(current);
  }
  return entries;
}

std::string ComPortFromChoice(const std::string& choice) {
  if (choice.compare(0, kPrefix.size(), kPrefix) == 0) return choice.substr(kPrefix.size());
  return choice;
}

}  // namespace dorvane

#include "com_port.h"

#include <algorithm>
#include <cstdint>

#include "runtime_error.h"

namespace dorvane {
namespace {

const std::string kPrefix = "COM";
// Far beyond any exponent that could still give a 16-bit value.
constexpr int64_t kExponentLimit = 1000000000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct DecimalText {
  bool negative = false;
  std::string digits;  // without leading zeros; empty for zero
  int64_t scale = 0;   // the value is digits × 10^scale
};

DecimalText ParseDecimal(const std::string& text) {
  size_t at = 0;
  size_t end = text.size();
  while (at < end && IsBlank(text[at])) ++at;
  while (end > at && IsBlank(text[end - 1])) --end;
  DecimalText number;
  if (at < end && (text[at] == '+' || text[at] == '-')) number.negative = text[at++] == '-';
  bool anyDigit = false;
  bool inFraction = false;
  for (; at < end; ++at) {
    if (text[at] == '.' && !inFraction) {
      inFraction = true;
      continue;
    }
    if (!IsDigit(text[at])) break;
    anyDigit = true;
    if (!(number.digits.empty() && text[at] == '0')) number.digits += text[at];
    if (inFraction) --number.scale;
  }
  if (!anyDigit) throw failure::TypeMismatch();
  if (at < end && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    bool negativeExponent = false;
    if (at < end && (text[at] == '+' || text[at] == '-')) negativeExponent = text[at++] == '-';
    if (at == end || !IsDigit(text[at])) throw failure::TypeMismatch();
    int64_t exponent = 0;
    for (; at < end && IsDigit(text[at]); ++at) {
      exponent = std::min(exponent * 10 + (text[at] - '0'), kExponentLimit);
    }
    number.scale += negativeExponent ? -exponent : exponent;
  }
  if (at != end) throw failure::TypeMismatch();
  return number;
}

}  // namespace

int16_t ComPortNumber(const std::string& comPort) {
  const DecimalText number = ParseDecimal(comPort);
  const std::string& digits = number.digits;
  if (digits.empty()) return 0;
  // The value is digits × 10^scale; only five integer digits can stay within 16 bits.
  const int64_t integerDigits = static_cast<int64_t>(digits.size()) + number.scale;
  if (integerDigits > 5) throw failure::Overflow();
  if (integerDigits < 0) return 0;  // below 0.1
  const size_t split = static_cast<size_t>(integerDigits);
  int32_t magnitude = 0;
  for (size_t i = 0; i < split; ++i) {
    magnitude = magnitude * 10 + (i < digits.size() ? digits[i] - '0' : 0);
  }
  // The fraction's first digit decides, except for an exact half, which goes to the even side.
  if (split < digits.size()) {
    const char first = digits[split];
    const bool moreAfterFirst = digits.find_first_not_of('0', split + 1) != std::string::npos;
    if (first > '5' || (first == '5' && (moreAfterFirst || magnitude % 2 == 1))) ++magnitude;
  }
  const int32_t value = number.negative ? -magnitude : magnitude;
  if (value < INT16_MIN || value > INT16_MAX) throw failure::Overflow();
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

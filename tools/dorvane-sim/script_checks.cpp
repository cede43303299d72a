#include "script_checks.h"

#include <regex.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "script_args.h"
#include "sim_files.h"

namespace scenario {
namespace {

std::string Shown(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  if (value > 0x20 && value < 0x7F) return std::string(1, byte);
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("\\x") + kDigits[value >> 4] + kDigits[value & 0x0F];
}

void CheckSymbols(const std::string& kind, const std::string& symbols, const std::string& allowed,
                  const std::string& allowedShown) {
  for (const char symbol : symbols) {
    if (allowed.find(symbol) == std::string::npos) {
      throw LineError(kind + " symbol '" + Shown(symbol) + "' is not one of " + allowedShown);
    }
  }
}

// The regex library copies a repeated part once for each repetition it must count ("a+" is
// "aa*", "a{3,5}" five copies), and copies of copies multiply: 40 stacked "+" would need 2^40
// nodes. This tallies the parts after every copy is made, saturating at the limit.
class ExpansionTally {
 public:
  explicit ExpansionTally(uint64_t limit) : limit_(limit) { groups_.push_back({}); }

  // Counts the pattern; false when it would exceed the limit.
  bool Count(const std::string& pattern) {
    for (size_t i = 0; i < pattern.size(); ++i) {
      const char c = pattern[i];
      if (c == '\\') {
        if (i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
          throw LineError("regex '" + pattern + "' uses a back-reference, which a check cannot");
        }
        Atom(1);
        ++i;
      } else if (c == '[') {
        i = BracketEnd(pattern, i);
        Atom(1);
      } else if (c == '(') {
        groups_.push_back({});
      } else if (c == ')' && groups_.size() > 1) {
        const uint64_t size = groups_.back().total;
        groups_.pop_back();
        Atom(size);
      } else if (c == '|') {
        groups_.back().last = 0;
      } else if (c == '+') {
        Repeat(2);
      } else if (c == '*' || c == '?') {
        Repeat(1);
      } else if (c == '{' && i + 1 < pattern.size() && IsDigit(pattern[i + 1])) {
        Repeat(IntervalCopies(pattern, i));
      } else {
        Atom(1);
      }
      if (Whole() > limit_) return false;
    }
    return true;
  }

 private:
  struct Group {
    uint64_t total = 0;  // the parts of the group so far
    uint64_t last = 0;   // those of its last atom, which a repetition copies
  };

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  uint64_t Capped(uint64_t value) const { return std::min(value, limit_ + 1); }

  void Atom(uint64_t size) {
    Group& group = groups_.back();
    group.last = Capped(size);
    group.total = Capped(group.total + group.last);
  }

  void Repeat(uint64_t copies) {
    Group& group = groups_.back();
    const uint64_t grown = Capped(group.last * copies);
    group.total = Capped(group.total - group.last + grown);
    group.last = grown;
  }

  uint64_t Whole() const {
    uint64_t whole = 0;
    for (const Group& group : groups_) whole = Capped(whole + group.total);
    return whole;
  }

  // The copies "{m}", "{m,}" or "{m,n}" at `i` makes; moves `i` to its closing brace.
  uint64_t IntervalCopies(const std::string& pattern, size_t& i) {
    uint64_t low = 0;
    uint64_t high = 0;
    size_t j = i + 1;
    while (j < pattern.size() && IsDigit(pattern[j])) low = Capped(low * 10 + (pattern[j++] - '0'));
    high = low;
    if (j < pattern.size() && pattern[j] == ',') {
      ++j;
      high = low + 1;
      if (j < pattern.size() && IsDigit(pattern[j])) {
        high = 0;
        while (j < pattern.size() && IsDigit(pattern[j])) {
          high = Capped(high * 10 + (pattern[j++] - '0'));
        }
      }
    }
    if (j < pattern.size() && pattern[j] == '}') i = j;
    return std::max(low, high);
  }

  // The index of the ']' that closes the bracket expression opened at `open`.
  static size_t BracketEnd(const std::string& pattern, size_t open) {
    size_t i = open + 1;
    if (i < pattern.size() && pattern[i] == '^') ++i;
    if (i < pattern.size() && pattern[i] == ']') ++i;
    for (; i < pattern.size() && pattern[i] != ']'; ++i) {
      if (pattern[i] == '[' && i + 1 < pattern.size() &&
          (pattern[i + 1] == ':' || pattern[i + 1] == '=' || pattern[i + 1] == '.')) {
        const size_t close = pattern.find(std::string(1, pattern[i + 1]) + "]", i + 2);
        if (close != std::string::npos) i = close + 1;
      }
    }
    return i;
  }

  uint64_t limit_;
  std::vector<Group> groups_;
};

constexpr uint64_t kRegexPartsLimit = 4096;

}  // namespace

void CheckKeySymbols(const std::string& symbols) {
  if (symbols.empty()) throw LineError("key needs at least one symbol");
  CheckSymbols("key", symbols, "0123456789ABCD*#P", "0-9 A-D * # P");
}

void CheckDialSymbols(const std::string& symbols) {
  CheckSymbols("dial", symbols, "0123456789ABCD*#", "0-9 A-D * #");
}

void CheckFolderFileName(const std::string& name) {
  if (sim::IsPlainFileName(name)) return;
  std::string shown;
  for (const char c : name) shown += c == ' ' ? " " : Shown(c);
  throw LineError("'" + shown +
                  "' is not a plain file name in the program's folder (no control character, "
                  "slash or backslash, not only dots)");
}

void CheckRegex(const std::string& pattern) {
  // regcomp would stop at the NUL and quietly check a shorter pattern.
  if (pattern.find('\0') != std::string::npos) throw LineError("regex contains a NUL byte");
  if (!ExpansionTally(kRegexPartsLimit).Count(pattern)) {
    throw LineError("regex '" + pattern +
                    "' repeats too much: its repetitions would expand to more than " +
                    std::to_string(kRegexPartsLimit) + " parts");
  }
  regex_t compiled;
  const int status = regcomp(&compiled, pattern.c_str(), REG_EXTENDED);
  if (status != 0) {
    char message[160];
    regerror(status, &compiled, message, sizeof message);
    throw LineError("regex '" + pattern + "' does not compile: " + message);
  }
  regfree(&compiled);
}

}  // namespace scenario

#include "script_checks.h"

#include <regex.h>

#include "script_args.h"

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

}  // namespace

void CheckKeySymbols(const std::string& symbols) {
  if (symbols.empty()) throw LineError("key needs at least one symbol");
  CheckSymbols("key", symbols, "0123456789ABCD*#P", "0-9 A-D * # P");
}

void CheckDialSymbols(const std::string& symbols) {
  CheckSymbols("dial", symbols, "0123456789ABCD*#", "0-9 A-D * #");
}

void CheckFolderFileName(const std::string& name) {
  if (name.find_first_of("/\\") != std::string::npos) {
    throw LineError("file name '" + name + "' must not contain a slash or backslash");
  }
  if (name == "." || name == "..") throw LineError("'" + name + "' is not a file name");
}

void CheckRegex(const std::string& pattern) {
  // regcomp would stop at the NUL and quietly check a shorter pattern.
  if (pattern.find('\0') != std::string::npos) throw LineError("regex contains a NUL byte");
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

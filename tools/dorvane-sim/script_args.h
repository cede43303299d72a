// Reads the words and strings of one script command in order, checking each for its kind.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "script_tokens.h"

namespace scenario {

// What is wrong with the line being parsed; ParseScript turns it into a ParseError.
class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `text` as a number of at least `least`; `what` names the argument in the error.
int64_t ParseNumber(const std::string& what, const std::string& text, int64_t least);

// Each read throws LineError when the next token is missing or of the wrong kind; `what` is the
// argument's placeholder (MEMBER, "TEXT", ...) as the error should show it.
class ArgReader {
 public:
  explicit ArgReader(std::vector<Token> tokens);

  bool AtEnd() const;
  bool NextIsString() const;
  bool NextIsWord(const std::string& word) const;

  std::string Word(const std::string& what);    // a bare word
  std::string String(const std::string& what);  // a quoted string
  std::string Path(const std::string& what);    // a bare word or a quoted string, not empty
  int64_t Number(const std::string& what, int64_t least);
  std::string OneOf(const std::string& what, const std::vector<std::string>& choices);
  void Finish() const;  // throws when anything is left over

 private:
  const Token& Take(const std::string& what);

  std::vector<Token> tokens_;
  size_t next_ = 0;
};

}  // namespace scenario

// One script line cut into words and quoted strings.
#pragma once

#include <string>
#include <vector>

namespace scenario {

struct Token {
  std::string text;     // the word, or the string with its escapes resolved
  bool quoted = false;  // written in double or single quotes
};

// Splits `line` (its line ending removed) at blanks and drops a trailing comment. On a malformed
// string or word returns false with `error` saying why.
bool SplitScriptLine(const std::string& line, std::vector<Token>& tokens, std::string& error);

}  // namespace scenario

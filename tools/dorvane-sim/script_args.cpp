#include "script_args.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace scenario {

int64_t ParseNumber(const std::string& what, const std::string& text, int64_t least) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
    throw LineError("expected a number for " + what + ", got '" + text + "'");
  }
  // The program and the world keep these in 32-bit integers.
  constexpr int64_t kMost = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  for (const char digit : text) {
    value = value * 10 + (digit - '0');
    if (value > kMost) throw LineError(what + " " + text + " is too large");
  }
  if (value < least) {
    throw LineError(what + " must be at least " + std::to_string(least) + ", got " + text);
  }
  return value;
}

ArgReader::ArgReader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

bool ArgReader::AtEnd() const { return next_ >= tokens_.size(); }

bool ArgReader::NextIsString() const { return !AtEnd() && tokens_[next_].quoted; }

bool ArgReader::NextIsWord(const std::string& word) const {
  return !AtEnd() && !tokens_[next_].quoted && tokens_[next_].text == word;
}

const Token& ArgReader::Take(const std::string& what) {
  if (AtEnd()) throw LineError("missing " + what);
  return tokens_[next_++];
}

std::string ArgReader::Word(const std::string& what) {
  const Token& token = Take(what);
  if (token.quoted) throw LineError("expected " + what + " as a bare word, got a quoted string");
  return token.text;
}

std::string ArgReader::String(const std::string& what) {
  const Token& token = Take(what);
  if (!token.quoted) throw LineError("expected " + what + " in quotes, got '" + token.text + "'");
  return token.text;
}

std::string ArgReader::Path(const std::string& what) {
  const Token& token = Take(what);
  if (token.text.empty()) throw LineError(what + " is empty");
  return token.text;
}

int64_t ArgReader::Number(const std::string& what, int64_t least) {
  return ParseNumber(what, Word(what), least);
}

std::string ArgReader::OneOf(const std::string& what, const std::vector<std::string>& choices) {
  const std::string word = Word(what);
  if (std::find(choices.begin(), choices.end(), word) == choices.end()) {
    std::string list;
    for (const std::string& choice : choices) list += (list.empty() ? "" : " ") + choice;
    throw LineError(what + " '" + word + "' is not one of " + list);
  }
  return word;
}

void ArgReader::Finish() const {
  if (!AtEnd()) throw LineError("extra argument '" + tokens_[next_].text + "'");
}

}  // namespace scenario

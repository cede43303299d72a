#include "script_tokens.h"

#include <utility>

namespace scenario {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `pos` is just past the opening quote on entry and just past the closing one on success.
bool ReadDoubleQuoted(const std::string& line, size_t& pos, std::string& out, std::string& error) {
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == '"') return true;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos == line.size()) break;
    const char escape = line[pos++];
    switch (escape) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '"':
        out += '"';
        break;
      case '\\':
        out += '\\';
        break;
      case 'x': {
        const int high = pos < line.size() ? HexValue(line[pos]) : -1;
        const int low = pos + 1 < line.size() ? HexValue(line[pos + 1]) : -1;
        if (high < 0 || low < 0) {
          error = "\\x needs two hex digits";
          return false;
        }
        out += static_cast<char>(high * 16 + low);
        pos += 2;
        break;
      }
      default:
        error = std::string("unknown escape '\\") + escape + "'";
        return false;
    }
  }
  error = "unterminated string";
  return false;
}

bool ReadSingleQuoted(const std::string& line, size_t& pos, std::string& out, std::string& error) {
  const size_t close = line.find('\'', pos);
  if (close == std::string::npos) {
    error = "unterminated string";
    return false;
  }
  out = line.substr(pos, close - pos);
  pos = close + 1;
  return true;
}

}  // namespace

bool SplitScriptLine(const std::string& line, std::vector<Token>& tokens, std::string& error) {
  tokens.clear();
  size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size() || line[pos] == '#') return true;
    Token token;
    const char first = line[pos];
    if (first == '"' || first == '\'') {
      token.quoted = true;
      ++pos;
      const bool read = first == '"' ? ReadDoubleQuoted(line, pos, token.text, error)
                                     : ReadSingleQuoted(line, pos, token.text, error);
      if (!read) return false;
      if (pos < line.size() && !IsBlank(line[pos])) {
        error = "no blank after the closing quote";
        return false;
      }
    } else {
      const size_t start = pos;
      while (pos < line.size() && !IsBlank(line[pos])) ++pos;
      token.text = line.substr(start, pos - start);
      // A quote glued to a word is almost always a missing blank; refuse rather than guess.
      if (token.text.find_first_of("\"'") != std::string::npos) {
        error = "quote inside the word " + token.text;
        return false;
      }
    }
    tokens.push_back(std::move(token));
  }
}

}  // namespace scenario

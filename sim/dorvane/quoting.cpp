#include "quoting.h"

namespace sim {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence starting at `at` (at least two bytes), or 0: overlong
// forms, surrogates, code points above U+10FFFF and cut-off sequences are not well-formed.
size_t MultiByteLength(const std::string& bytes, size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  size_t length = 0;
  unsigned char secondLeast = 0x80;
  unsigned char secondMost = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondLeast = 0xA0;
    if (lead == 0xED) secondMost = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondLeast = 0x90;
    if (lead == 0xF4) secondMost = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  const auto second = static_cast<unsigned char>(bytes[at + 1]);
  if (second < secondLeast || second > secondMost) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(bytes[at + i]))) return 0;
  }
  return length;
}

void AppendHex(std::string& out, unsigned char byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

}  // namespace

std::string Quote(const std::string& bytes) {
  std::string out = "\"";
  for (size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte >= 0x80) {
      const size_t length = MultiByteLength(bytes, at);
      if (length == 0) {
        AppendHex(out, byte);
        ++at;
      } else {
        out.append(bytes, at, length);
        at += length;
      }
      continue;
    }
    ++at;
    switch (byte) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          AppendHex(out, byte);
        } else {
          out += static_cast<char>(byte);
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace sim

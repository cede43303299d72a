#include "variant.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tonvex {
namespace {

bool EqualsIgnoringCase(const std::string& text, const char* word) {
  size_t i = 0;
  for (; i < text.size() && word[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
  }
  return i == text.size() && word[i] == '\0';
}

// A decimal number, surrounded by blanks at most; "True" and "False" count as -1 and 0.
HResult ParseNumber(const std::string& text, double& value) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  const std::string trimmed = text.substr(begin, end - begin);
  if (EqualsIgnoringCase(trimmed, "true")) {
    value = -1.0;
    return hr::kOk;
  }
  if (EqualsIgnoringCase(trimmed, "false")) {
    value = 0.0;
    return hr::kOk;
  }
  if (trimmed.empty()) return hr::kTypeMismatch;
  for (char c : trimmed) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+' &&
        c != 'e' && c != 'E') {
      return hr::kTypeMismatch;  // no hexadecimal, infinity or NaN spellings
    }
  }
  errno = 0;
  char* stop = nullptr;
  value = std::strtod(trimmed.c_str(), &stop);
  if (*stop != '\0') return hr::kTypeMismatch;
  if (errno == ERANGE && std::isinf(value)) return hr::kOverflow;
  return hr::kOk;
}

HResult ToDouble(const Variant& from, double& value) {
  switch (from.Type()) {
    case VarType::Empty:
      value = 0.0;
      return hr::kOk;
    case VarType::I2:
      value = from.AsI2();
      return hr::kOk;
    case VarType::I4:
      value = from.AsI4();
      return hr::kOk;
    case VarType::R8:
      value = from.AsR8();
      return hr::kOk;
    case VarType::Bool:
      value = from.AsBool() ? -1.0 : 0.0;
      return hr::kOk;
    case VarType::BStr:
      return ParseNumber(from.AsBStr(), value);
  }
  return hr::kTypeMismatch;
}

template <typename Int>
HResult ToInteger(const Variant& from, Int& out) {
  double value = 0.0;
  if (const HResult result = ToDouble(from, value); !Succeeded(result)) return result;
  if (std::isnan(value)) return hr::kTypeMismatch;
  value = std::nearbyint(value);  // the default rounding mode: half to even
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    return hr::kOverflow;
  }
  out = static_cast<Int>(value);
  return hr::kOk;
}

std::string ToText(const Variant& from) {
  switch (from.Type()) {
    case VarType::Empty:
      return "";
    case VarType::I2:
      return std::to_string(from.AsI2());
    case VarType::I4:
      return std::to_string(from.AsI4());
    case VarType::Bool:
      return from.AsBool() ? "True" : "False";
    case VarType::BStr:
      return from.AsBStr();
    case VarType::R8: {
      char text[32];
      std::snprintf(text, sizeof text, "%.15g", from.AsR8());
      return text;
    }
  }
  return "";
}

// Converts into T and, when that succeeds, wraps the value as the target type.
template <typename T, typename Converter, typename Wrapper>
HResult Convert(const Variant& from, Variant& out, Converter convert, Wrapper wrap) {
  T value{};
  const HResult result = convert(from, value);
  if (Succeeded(result)) out = wrap(value);
  return result;
}

}  // namespace

VarType Variant::Type() const {
  static constexpr VarType kTypes[] = {VarType::Empty, VarType::I2,   VarType::I4,
                                       VarType::R8,    VarType::BStr, VarType::Bool};
  return kTypes[value_.index()];
}

HResult ChangeType(const Variant& from, VarType to, Variant& out) {
  switch (to) {
    case VarType::Empty:
      out = Variant();
      return hr::kOk;
    case VarType::I2:
      return Convert<int16_t>(from, out, ToInteger<int16_t>, &Variant::I2);
    case VarType::I4:
      return Convert<int32_t>(from, out, ToInteger<int32_t>, &Variant::I4);
    case VarType::R8:
      return Convert<double>(from, out, ToDouble, &Variant::R8);
    case VarType::Bool:
      return Convert<double>(from, out, ToDouble,
                             [](double value) { return Variant::Bool(value != 0.0); });
    case VarType::BStr:
      out = Variant::BStr(ToText(from));
      return hr::kOk;
  }
  return hr::kTypeMismatch;
}

}  // namespace tonvex

// A small automation variant: the types that reach the control's members, and their coercion.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

#include "hresult.h"

namespace tonvex {

// The VARTYPE numbers of COM, so adapters map them one to one.
enum class VarType : uint16_t {
  Empty = 0,
  I2 = 2,
  I4 = 3,
  R8 = 5,
  BStr = 8,
  Bool = 11,
};

class Variant {
 public:
  Variant() = default;
  static Variant I2(int16_t value) { return Variant(Value(std::in_place_index<1>, value)); }
  static Variant I4(int32_t value) { return Variant(Value(std::in_place_index<2>, value)); }
  static Variant R8(double value) { return Variant(Value(std::in_place_index<3>, value)); }
  static Variant BStr(std::string utf8) {
    return Variant(Value(std::in_place_index<4>, std::move(utf8)));
  }
  static Variant Bool(bool value) { return Variant(Value(std::in_place_index<5>, value)); }

  VarType Type() const;
  // Each accessor expects the variant to hold that type.
  int16_t AsI2() const { return std::get<1>(value_); }
  int32_t AsI4() const { return std::get<2>(value_); }
  double AsR8() const { return std::get<3>(value_); }
  const std::string& AsBStr() const { return std::get<4>(value_); }
  bool AsBool() const { return std::get<5>(value_); }

  bool operator==(const Variant& other) const { return value_ == other.value_; }

 private:
  using Value = std::variant<std::monostate, int16_t, int32_t, double, std::string, bool>;
  explicit Variant(Value value) : value_(std::move(value)) {}
  Value value_;
};

// Converts as automation does: numbers between widths with an overflow check, fractions
// rounded half to even, text parsed as a number, booleans as -1 and 0 ("True" and "False" as
// text). kTypeMismatch when the value has no meaning as the target type.
HResult ChangeType(const Variant& from, VarType to, Variant& out);

}  // namespace tonvex

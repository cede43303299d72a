// Calling an automation object's members by name through IDispatch, as a late-bound client
// does: VARIANT arguments in, a VARIANT out, and every failure as a RuntimeError carrying the
// HRESULT and the best text there is for it.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "com_ptr.h"

namespace dorvane::win32 {

// A VARIANT that owns what it holds; copies are deep, as VariantCopy makes them.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant& other) : Variant() {
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
  }
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  Variant& operator=(Variant other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }

  static Variant Text(const std::string& utf8);
  static Variant Long(int32_t value);
  static Variant Object(IDispatch* object);

  VARIANT* Get() { return &value_; }
  const VARIANT& Value() const { return value_; }

 private:
  VARIANT value_;
};

// Calls the member `name` (or `dispid`) with the arguments in their natural order. `flags` is
// DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT (the last argument is the value).
Variant Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Variant> args = {});
Variant Call(IDispatch* object, DISPID dispid, WORD flags, std::vector<Variant> args = {});

// Results as the core's types; a value that does not convert is a failure too.
std::string AsText(const Variant& value);
int32_t AsLong(const Variant& value);
bool AsBool(const Variant& value);
// The object in the result, asked for `iid`.
ComPtr<IDispatch> AsObject(const Variant& value, REFIID iid);

// The RuntimeError for a failed HRESULT: the number as a signed 32-bit value, the server's own
// description when the exception carries one, else the system's text.
[[noreturn]] void ThrowFailure(HRESULT result, EXCEPINFO* exception = nullptr);

}  // namespace dorvane::win32

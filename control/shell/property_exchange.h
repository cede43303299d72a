// The control's persistent properties and the one routine that loads, saves and resets them.
#pragma once

#include <cstdint>

#include "hresult.h"

namespace tonvex {

constexpr uint32_t kPersistVersion = 0x00010000;  // 1.0
// 32 by 32 pixels at 96 dots per inch, in HIMETRIC units.
constexpr int32_t kDefaultExtent = 847;

// The ranges the property setters accept.
constexpr int32_t kMinSensitivity = 1;
constexpr int32_t kMaxSensitivity = 300;
constexpr int16_t kMinMaxSecond = 10;
constexpr int16_t kMaxMaxSecond = 120;

inline bool SensitivityInRange(int32_t value) {
  return value >= kMinSensitivity && value <= kMaxSensitivity;
}
inline bool MaxSecondInRange(int16_t value) {
  return value >= kMinMaxSecond && value <= kMaxMaxSecond;
}

struct PersistentState {
  int32_t ExtentX = kDefaultExtent;
  int32_t ExtentY = kDefaultExtent;
  bool Enabled = true;
  int32_t Sensitivity = 50;
  int16_t MaxSecond = 10;
};

// One direction of the exchange: each call loads, saves or resets one value. A loading
// exchange that fails remembers it and leaves later values alone.
class PropertyExchange {
 public:
  virtual ~PropertyExchange() = default;
  virtual void Version(uint32_t& version) = 0;
  virtual void Long(const char* name, int32_t& value, int32_t defaultValue) = 0;
  virtual void Short(const char* name, int16_t& value, int16_t defaultValue) = 0;
  virtual void Bool(const char* name, bool& value, bool defaultValue) = 0;
  HResult Result() const { return result_; }

 protected:
  void Fail(HResult result) {
    if (Succeeded(result_)) result_ = result;
  }

 private:
  HResult result_ = hr::kOk;
};

// The order is part of the stream layout: version, extent, stock Enabled, then the control's own.
void DoPropExchange(PropertyExchange& exchange, PersistentState& state);

// Runs a loading exchange into fresh state: `state` takes all of it, or, when the exchange
// failed, only the defaults. A loaded value the setter would refuse takes its default: a stored
// MaxSecond of 32767 would otherwise allocate gigabytes when a search starts. Returns the
// exchange's result.
HResult LoadWhole(PropertyExchange& reader, PersistentState& state);

// Runs a saving exchange over a copy of `state`.
HResult SaveWhole(PropertyExchange& writer, const PersistentState& state);

// Sets every value to its default.
class ResetExchange : public PropertyExchange {
 public:
  void Version(uint32_t& version) override { version = kPersistVersion; }
  void Long(const char*, int32_t& value, int32_t defaultValue) override { value = defaultValue; }
  void Short(const char*, int16_t& value, int16_t defaultValue) override { value = defaultValue; }
  void Bool(const char*, bool& value, bool defaultValue) override { value = defaultValue; }
};

}  // namespace tonvex

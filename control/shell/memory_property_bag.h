// A property bag held in memory: the stored properties a container hands its control.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "property_bag.h"

namespace tonvex {

class MemoryPropertyBag : public PropertyBag {
 public:
  void Set(const std::string& name, const Variant& value) { values_[name] = value; }
  HResult Read(const std::string& name, Variant& value) override {
    const auto found = values_.find(name);
    if (found == values_.end()) return hr::kInvalidArg;
    value = found->second;
    return hr::kOk;
  }
  HResult Write(const std::string& name, const Variant& value) override {
    values_[name] = value;
    return hr::kOk;
  }

 private:
  std::map<std::string, Variant> values_;
};

// The stored properties a form keeps for its control, as a container's bag holds them.
inline MemoryPropertyBag DesignPropertyBag(bool enabled, int32_t sensitivity, int16_t maxSecond) {
  MemoryPropertyBag bag;
  bag.Set("Enabled", Variant::Bool(enabled));
  bag.Set("Sensitivity", Variant::I4(sensitivity));
  bag.Set("MaxSecond", Variant::I2(maxSecond));
  return bag;
}

}  // namespace tonvex

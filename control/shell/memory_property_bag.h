// A property bag held in memory: the stored properties a container hands its control.
#pragma once

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

}  // namespace tonvex

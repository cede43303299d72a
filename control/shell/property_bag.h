// Port: a container's property bag (name and value pairs, as in a saved form).
#pragma once

#include <string>

#include "property_exchange.h"
#include "variant.h"

namespace tonvex {

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // kInvalidArg when the bag has no such entry; another failure when it cannot be read.
  virtual HResult Read(const std::string& name, Variant& value) = 0;
  virtual HResult Write(const std::string& name, const Variant& value) = 0;
};

// Bag names: "_Version", "_ExtentX", "_ExtentY", "Enabled", "Sensitivity", "MaxSecond". A missing
// entry takes its default; a value that does not convert to its type fails the whole load,
// which then leaves the defaults.
HResult SaveToBag(PropertyBag& bag, const PersistentState& state);
HResult LoadFromBag(PropertyBag& bag, PersistentState& state);

}  // namespace tonvex

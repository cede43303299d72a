// Using an object reference that was never set fails as the runtime does (91).
#pragma once

#include <memory>

#include "runtime_error.h"

namespace dorvane {

template <typename T>
T& Use(const std::shared_ptr<T>& reference) {
  if (!reference) throw failure::ObjectNotSet();
  return *reference;
}

}  // namespace dorvane

#include "property_exchange.h"

namespace tonvex {

void DoPropExchange(PropertyExchange& exchange, PersistentState& state) {
  uint32_t version = kPersistVersion;
  exchange.Version(version);  // any stored version loads; saving writes 1.0
  exchange.Long("_ExtentX", state.ExtentX, kDefaultExtent);
  exchange.Long("_ExtentY", state.ExtentY, kDefaultExtent);
  exchange.Bool("Enabled", state.Enabled, true);
  exchange.Long("Sensitivity", state.Sensitivity, 50);
  exchange.Short("MaxSecond", state.MaxSecond, 10);
}

HResult LoadWhole(PropertyExchange& reader, PersistentState& state) {
  PersistentState loaded;
  DoPropExchange(reader, loaded);
  const PersistentState defaults;
  if (!SensitivityInRange(loaded.Sensitivity)) loaded.Sensitivity = defaults.Sensitivity;
  if (!MaxSecondInRange(loaded.MaxSecond)) loaded.MaxSecond = defaults.MaxSecond;
  state = Succeeded(reader.Result()) ? loaded : defaults;
  return reader.Result();
}

HResult SaveWhole(PropertyExchange& writer, const PersistentState& state) {
  PersistentState copy = state;
  DoPropExchange(writer, copy);
  return writer.Result();
}

}  // namespace tonvex

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

}  // namespace tonvex

// Any stream of saved properties loads whole or not at all, and what loads saves back alike.
#include "control_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tonvex::TonvexControl& control = fuzz::Reused(0);
  const tonvex::HResult result = control.LoadStream(data, size);
  fuzz::CheckReload(control, !tonvex::Succeeded(result));
  return 0;
}

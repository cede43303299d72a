// Any stream of saved properties loads whole or not at all, and what loads saves back alike.
#include "control_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ControlFixture fixture;
  const tonvex::HResult result = fixture.control.LoadStream(data, size);
  fuzz::CheckReload(fixture.control, !tonvex::Succeeded(result));
  return 0;
}

// A control on a container stand-in, for loading its saved properties.
#pragma once

#include <cstdlib>
#include <vector>

#include "fake_site.h"
#include "fake_wave_in.h"
#include "tonvex_control.h"

namespace fuzz {

class SilentOut : public tonvex::SoundOut {
  void Play(int32_t, const uint8_t*, uint32_t) override {}
};

struct ControlFixture {
  FakeSite site;
  FakeWaveIn wave;
  SilentOut sound;
  tonvex::TonvexControl control{site, wave, sound};
};

// Building a control plans its transform, which takes far longer than a load: the fuzz targets
// keep theirs, as a load replaces every saved property (or restores the defaults) anyway.
inline tonvex::TonvexControl& Reused(int which) {
  static ControlFixture fixtures[2];
  return fixtures[which].control;
}

// What a control loaded, saved again, must load back to the same bytes; a failed load leaves
// the defaults.
inline void CheckReload(const tonvex::TonvexControl& loaded, bool loadFailed) {
  static const std::vector<uint8_t> defaults = ControlFixture().control.SaveStream();
  const std::vector<uint8_t> saved = loaded.SaveStream();
  tonvex::TonvexControl& again = Reused(1);
  if (again.LoadStream(saved.data(), saved.size()) != tonvex::hr::kOk) std::abort();
  if (again.SaveStream() != saved) std::abort();
  if (loadFailed && saved != defaults) std::abort();
}

}  // namespace fuzz

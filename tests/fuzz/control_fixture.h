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

// What a control loaded, saved again, must load back to the same bytes; a failed load leaves
// the defaults.
inline void CheckReload(const tonvex::TonvexControl& loaded, bool loadFailed) {
  const std::vector<uint8_t> saved = loaded.SaveStream();
  ControlFixture again;
  if (again.control.LoadStream(saved.data(), saved.size()) != tonvex::hr::kOk) std::abort();
  if (again.control.SaveStream() != saved) std::abort();
  if (loadFailed && saved != ControlFixture().control.SaveStream()) std::abort();
}

}  // namespace fuzz

// The SoundOut port over sndPlaySoundA, playing the library's own "WAVE" resources.
#pragma once

#include "sound_out.h"

class ResourceSoundOut : public tonvex::SoundOut {
 public:
  void Play(int32_t resourceId, const uint8_t* image, uint32_t bytes) override;
};

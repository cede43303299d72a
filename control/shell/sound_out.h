// Port: the platform's synchronous playback of a sound held in memory.
#pragma once

#include <cstdint>

namespace tonvex {

class SoundOut {
 public:
  virtual ~SoundOut() = default;

  // Plays one complete RIFF WAVE file image and returns when it has finished. The control
  // library holds the same image as its "WAVE" resource resourceId, which a platform may play
  // instead. A playback that fails is passed over: callers do not look at the outcome.
  virtual void Play(int32_t resourceId, const uint8_t* image, uint32_t bytes) = 0;
};

}  // namespace tonvex

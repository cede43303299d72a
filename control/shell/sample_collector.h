// A SoundOut that records what it is asked to play instead of sounding it.
#pragma once

#include <cstdint>
#include <vector>

#include "line_format.h"
#include "sound_out.h"

namespace tonvex {

class SampleCollector : public SoundOut {
 public:
  static constexpr uint8_t kSilence = 128;

  // Appends the image's samples when they are 8-bit mono PCM at 11025 Hz; any other image is
  // passed over, as a playback that fails would be.
  void Play(int32_t resourceId, const uint8_t* image, uint32_t bytes) override;
  void AppendSilence(uint32_t samples);

  const std::vector<uint8_t>& Samples() const { return samples_; }

 private:
  std::vector<uint8_t> samples_;
};

}  // namespace tonvex

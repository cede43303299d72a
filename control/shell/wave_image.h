// Reading the format and the samples out of a RIFF WAVE file image.
#pragma once

#include <cstdint>

namespace tonvex {

struct WaveImageView {
  uint16_t FormatTag = 0;
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint16_t BitsPerSample = 0;
  const uint8_t* Data = nullptr;  // not owned: points into the image
  uint32_t DataBytes = 0;
};

// False unless the image is a RIFF WAVE file whose "fmt " and "data" chunks lie within it.
bool ParseWaveImage(const uint8_t* image, uint32_t bytes, WaveImageView& view);

}  // namespace tonvex

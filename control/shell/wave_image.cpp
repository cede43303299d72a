#include "wave_image.h"

#include <algorithm>
#include <cstring>

namespace tonvex {
namespace {

uint16_t U16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

uint32_t U32(const uint8_t* at) {
  return static_cast<uint32_t>(U16(at)) | static_cast<uint32_t>(U16(at + 2)) << 16;
}

bool IsTag(const uint8_t* at, const char* tag) { return std::memcmp(at, tag, 4) == 0; }

}  // namespace

bool ParseWaveImage(const uint8_t* image, uint32_t bytes, WaveImageView& view) {
  if (bytes < 12 || !IsTag(image, "RIFF") || !IsTag(image + 8, "WAVE")) return false;
  // The RIFF size may claim less than the buffer holds, never more.
  const uint32_t end = static_cast<uint32_t>(std::min<uint64_t>(bytes, 8ull + U32(image + 4)));
  bool haveFormat = false;
  bool haveData = false;
  uint32_t at = 12;
  while (end - at >= 8 && !(haveFormat && haveData)) {
    const uint8_t* chunk = image + at;
    const uint32_t size = U32(chunk + 4);
    if (size > end - at - 8) return false;
    if (IsTag(chunk, "fmt ") && size >= 16) {
      view.FormatTag = U16(chunk + 8);
      view.Channels = U16(chunk + 10);
      view.SamplesPerSec = U32(chunk + 12);
      view.BitsPerSample = U16(chunk + 22);
      haveFormat = true;
    } else if (IsTag(chunk, "data")) {
      view.Data = chunk + 8;
      view.DataBytes = size;
      haveData = true;
    }
    // Chunks start on even offsets.
    const uint64_t next = static_cast<uint64_t>(at) + 8 + size + (size & 1);
    if (next > end) break;
    at = static_cast<uint32_t>(next);
  }
  return haveFormat && haveData;
}

}  // namespace tonvex

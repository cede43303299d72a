// The telephone line as the script plays it: one sound at a time, from the moment it was
// given, then silence. What plays while nobody records is gone, as on a real line.
#pragma once

#include <cstdint>
#include <vector>

#include "event_loop.h"
#include "line_wave_in.h"

namespace sim {

class LineFeed : public Line {
 public:
  // Replaces whatever plays; the sound starts at the given time.
  void Play(std::vector<uint8_t> samples, Micros start);
  void Read(uint64_t first, uint8_t* out, size_t count) const override;

 private:
  std::vector<uint8_t> sound_;
  uint64_t startSample_ = 0;
};

// The tone images of a dialling string, `gapMs` of silence between them. False when a symbol
// has no tone image.
bool DialSamples(const std::string& symbols, uint32_t gapMs, std::vector<uint8_t>& samples);

}  // namespace sim

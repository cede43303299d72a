// The samples of a dialling string, played through PlayDtmf into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tonvex {

struct DialOutcome {
  bool ok = false;
  std::vector<uint8_t> samples;  // 8-bit unsigned, mono, 11025 Hz
  std::string ErrorMsg;          // the control's text when it refused
  size_t failedPosition = 0;     // 1-based position of the first invalid byte
};

// Samples of a gap of gapMs milliseconds, rounded to the nearest whole sample.
uint32_t GapSamples(uint32_t gapMs);

// Without a gap the whole string goes to PlayDtmf at once; with one, each symbol is a call of
// its own and the silence lies between them.
DialOutcome RenderDial(const std::string& symbols, uint32_t gapSamples);

}  // namespace tonvex

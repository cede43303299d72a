// The sixteen DTMF tone images the control plays: RIFF/WAVE files of one 100 ms tone each.
#pragma once

#include <array>
#include <cstdint>

#include "line_format.h"

namespace tonvex {

struct ToneSymbol {
  char Symbol = 0;
  int32_t ResourceId = 0;  // "WAVE" resource of the control library
  int32_t LowFreq = 0;     // Hz
  int32_t HighFreq = 0;    // Hz
};

constexpr int kToneCount = 16;

// Symbols are matched in this order; the first matching row wins.
constexpr std::array<ToneSymbol, kToneCount> kToneTable = {{
    {'0', 205, 941, 1336},
    {'1', 206, 697, 1209},
    {'2', 207, 697, 1336},
    {'3', 208, 697, 1477},
    {'4', 209, 770, 1209},
    {'5', 210, 770, 1336},
    {'6', 211, 770, 1477},
    {'7', 212, 852, 1209},
    {'8', 213, 852, 1336},
    {'9', 214, 852, 1477},
    {'A', 215, 697, 1633},
    {'B', 216, 770, 1633},
    {'C', 217, 852, 1633},
    {'D', 218, 941, 1633},
    {'*', 219, 941, 1209},
    {'#', 220, 941, 1477},
}};

constexpr uint32_t kToneSampleRate = kLineRate;
constexpr uint32_t kToneSamples = 1102;
constexpr uint32_t kToneDataOffset = 44;
constexpr uint32_t kToneTrailerBytes = 130;  // zero bytes of the closing "ZSTR" chunk
constexpr uint32_t kToneImageBytes = kToneDataOffset + kToneSamples + 8 + kToneTrailerBytes;
static_assert(kToneImageBytes == 1284);

using ToneImageBytes = std::array<uint8_t, kToneImageBytes>;

// Row of the table whose symbol is exactly `byte`; -1 when there is none.
constexpr int FindToneSymbol(char byte) {
  for (int i = 0; i < kToneCount; ++i) {
    if (kToneTable[i].Symbol == byte) return i;
  }
  return -1;
}

// The unsigned 8-bit sample n of the tone pair: both components at phase zero and amplitude 63.5.
uint8_t ToneSample(int32_t lowFreq, int32_t highFreq, uint32_t n);

// The complete file image of one tone pair.
ToneImageBytes MakeToneImage(int32_t lowFreq, int32_t highFreq);

// The image of table row `index` (0 to 15), built on first use and kept for the process.
const ToneImageBytes& ToneImage(int index);

}  // namespace tonvex

// The DTMF symbol table: the sixteen keys and the 400 Hz "P" with their spectrum bins.
#pragma once

#include <array>
#include <cstdint>

namespace tonvex {

constexpr int kDtmfTableRows = 20;

// Consecutive loud frames (one every 85 samples, 7.7 ms) before a symbol is reported.
constexpr int32_t kKeyMinFrames = 4;
constexpr int32_t kDialToneMinFrames = 50;  // "P" must last about 0.4 s
constexpr int32_t kBlankRowMinFrames = 9999;
// A frame is loud when its mean peak magnitude reaches Sensitivity times this.
constexpr double kThresholdPerSensitivity = 0.1;

struct DtmfKey {
  char Key;           // its character code is the KeyCode of DtmfHit; 0 for a blank row
  int32_t LowHz;      // row group
  int32_t HighHz;     // column group
  int32_t MinFrames;  // loud frames before it is reported
};

// Row order is the order of the peak searches and decides ties.
inline constexpr std::array<DtmfKey, kDtmfTableRows> kDtmfKeys = {{
    {'0', 941, 1336, kKeyMinFrames},     {'1', 697, 1209, kKeyMinFrames},
    {'2', 697, 1336, kKeyMinFrames},     {'3', 697, 1477, kKeyMinFrames},
    {'4', 770, 1209, kKeyMinFrames},     {'5', 770, 1336, kKeyMinFrames},
    {'6', 770, 1477, kKeyMinFrames},     {'7', 852, 1209, kKeyMinFrames},
    {'8', 852, 1336, kKeyMinFrames},     {'9', 852, 1477, kKeyMinFrames},
    {'A', 697, 1633, kKeyMinFrames},     {'B', 770, 1633, kKeyMinFrames},
    {'C', 852, 1633, kKeyMinFrames},     {'D', 941, 1633, kKeyMinFrames},
    {'*', 941, 1209, kKeyMinFrames},     {'#', 941, 1477, kKeyMinFrames},
    {'P', 400, 400, kDialToneMinFrames}, {0, 0, 0, kBlankRowMinFrames},
    {0, 0, 0, kBlankRowMinFrames},       {0, 0, 0, kBlankRowMinFrames},
}};

// The bin of a frequency: the divisor is the sample rate shifted right by 8 bits, an integer
// (43 at 11025, not 43.07), and halves round up.
constexpr int32_t BinOf(int32_t frequency, uint32_t sampleRate) {
  const uint32_t divisor = sampleRate >> 8;
  if (divisor == 0) return 0;
  return static_cast<int32_t>(frequency / static_cast<double>(divisor) + 0.5);
}

struct DtmfEntry {
  int32_t LowFreq = 0;   // Hz, row group
  int32_t HighFreq = 0;  // Hz, column group
  int32_t LowBin = 0;
  int32_t HighBin = 0;
  int32_t MinFrames = 0;  // consecutive loud frames before the symbol is reported
  char Key = 0;           // its character code is the KeyCode of DtmfHit
};

using DtmfTableRows = std::array<DtmfEntry, kDtmfTableRows>;

// The table shared by every control of the module; each control construction writes it again.
DtmfTableRows& DtmfTable();

// Writes all 20 rows and their bins for the given sample rate.
void FillDtmfTable(DtmfTableRows& table, uint32_t sampleRate);

// Index of the last row before the first blank one (16 for the standard table); -1 if none.
int32_t LastActiveRow(const DtmfTableRows& table);

}  // namespace tonvex

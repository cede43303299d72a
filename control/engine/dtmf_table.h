// The DTMF symbol table: the sixteen keys and the 400 Hz "P" with their spectrum bins.
#pragma once

#include <array>
#include <cstdint>

namespace tonvex {

struct DtmfEntry {
  int32_t LowFreq = 0;   // Hz, row group
  int32_t HighFreq = 0;  // Hz, column group
  int32_t LowBin = 0;
  int32_t HighBin = 0;
  int32_t MinFrames = 0;  // consecutive loud frames before the symbol is reported
  char Key = 0;           // its character code is the KeyCode of DtmfHit
};

constexpr int kDtmfTableRows = 20;
using DtmfTableRows = std::array<DtmfEntry, kDtmfTableRows>;

// The table shared by every control of the module; each control construction writes it again.
DtmfTableRows& DtmfTable();

// Writes all 20 rows and their bins for the given sample rate.
void FillDtmfTable(DtmfTableRows& table, uint32_t sampleRate);

// Index of the last row before the first blank one (16 for the standard table); -1 if none.
int32_t LastActiveRow(const DtmfTableRows& table);

}  // namespace tonvex

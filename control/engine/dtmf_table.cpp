#include "dtmf_table.h"

namespace tonvex {

DtmfTableRows& DtmfTable() {
  static DtmfTableRows table;
  return table;
}

void FillDtmfTable(DtmfTableRows& table, uint32_t sampleRate) {
  for (int r = 0; r < kDtmfTableRows; ++r) {
    DtmfEntry& row = table[r];
    row.Key = kDtmfKeys[r].Key;
    row.LowFreq = kDtmfKeys[r].LowHz;
    row.HighFreq = kDtmfKeys[r].HighHz;
    row.MinFrames = kDtmfKeys[r].MinFrames;
    row.LowBin = BinOf(row.LowFreq, sampleRate);
    row.HighBin = BinOf(row.HighFreq, sampleRate);
  }
}

int32_t LastActiveRow(const DtmfTableRows& table) {
  int32_t count = 0;
  while (count < kDtmfTableRows && (table[count].LowFreq != 0 || table[count].HighFreq != 0)) {
    ++count;
  }
  return count - 1;
}

}  // namespace tonvex

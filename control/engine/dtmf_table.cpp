#include "dtmf_table.h"

namespace tonvex {
namespace {

struct RowSeed {
  char key;
  int32_t low;
  int32_t high;
  int32_t minFrames;
};

// Row order is the order of the peak searches and decides ties.
constexpr std::array<RowSeed, kDtmfTableRows> kRows = {{
    {'0', 941, 1336, 4}, {'1', 697, 1209, 4}, {'2', 697, 1336, 4}, {'3', 697, 1477, 4},
    {'4', 770, 1209, 4}, {'5', 770, 1336, 4}, {'6', 770, 1477, 4}, {'7', 852, 1209, 4},
    {'8', 852, 1336, 4}, {'9', 852, 1477, 4}, {'A', 697, 1633, 4}, {'B', 770, 1633, 4},
    {'C', 852, 1633, 4}, {'D', 941, 1633, 4}, {'*', 941, 1209, 4}, {'#', 941, 1477, 4},
    {'P', 400, 400, 50}, {0, 0, 0, 9999},     {0, 0, 0, 9999},     {0, 0, 0, 9999},
}};

// The divisor is the sample rate shifted right by 8 bits: an integer (43, not 43.07).
int32_t BinOf(int32_t frequency, uint32_t divisor) {
  if (divisor == 0) return 0;
  return static_cast<int32_t>(frequency / static_cast<double>(divisor) + 0.5);
}

}  // namespace

DtmfTableRows& DtmfTable() {
  static DtmfTableRows table;
  return table;
}

void FillDtmfTable(DtmfTableRows& table, uint32_t sampleRate) {
  const uint32_t divisor = sampleRate >> 8;
  for (int r = 0; r < kDtmfTableRows; ++r) {
    DtmfEntry& row = table[r];
    row.Key = kRows[r].key;
    row.LowFreq = kRows[r].low;
    row.HighFreq = kRows[r].high;
    row.MinFrames = kRows[r].minFrames;
    row.LowBin = BinOf(row.LowFreq, divisor);
    row.HighBin = BinOf(row.HighFreq, divisor);
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

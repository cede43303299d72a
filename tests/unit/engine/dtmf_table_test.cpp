#include "dtmf_table.h"

#include <gtest/gtest.h>

namespace {

using tonvex::DtmfTableRows;

TEST(DtmfTable, BinsAtTheLineRateUseTheIntegerDivisor) {
  DtmfTableRows table;
  tonvex::FillDtmfTable(table, 11025);
  const struct {
    char key;
    int lowBin, highBin, minFrames;
  } expected[] = {{'0', 22, 31, 4}, {'1', 16, 28, 4}, {'2', 16, 31, 4}, {'3', 16, 34, 4},
                  {'4', 18, 28, 4}, {'5', 18, 31, 4}, {'6', 18, 34, 4}, {'7', 20, 28, 4},
                  {'8', 20, 31, 4}, {'9', 20, 34, 4}, {'A', 16, 38, 4}, {'B', 18, 38, 4},
                  {'C', 20, 38, 4}, {'D', 22, 38, 4}, {'*', 22, 28, 4}, {'#', 22, 34, 4},
                  {'P', 9, 9, 50},  {0, 0, 0, 9999},  {0, 0, 0, 9999},  {0, 0, 0, 9999}};
  for (int r = 0; r < tonvex::kDtmfTableRows; ++r) {
    EXPECT_EQ(table[r].Key, expected[r].key) << r;
    EXPECT_EQ(table[r].LowBin, expected[r].lowBin) << r;
    EXPECT_EQ(table[r].HighBin, expected[r].highBin) << r;
    EXPECT_EQ(table[r].MinFrames, expected[r].minFrames) << r;
  }
  EXPECT_EQ(tonvex::LastActiveRow(table), 16);
}

TEST(DtmfTable, HalfBinsRoundUpAndTinyRatesGiveBinZero) {
  DtmfTableRows table;
  tonvex::FillDtmfTable(table, 512);  // divisor 2: 941 / 2 = 470.5
  EXPECT_EQ(table[0].LowBin, 471);
  EXPECT_EQ(table[16].LowBin, 200);
  tonvex::FillDtmfTable(table, 200);  // divisor 0
  EXPECT_EQ(table[0].LowBin, 0);
  EXPECT_EQ(table[0].HighBin, 0);
}

TEST(DtmfTable, ActiveRowsEndAtTheFirstBlankRow) {
  DtmfTableRows table;
  tonvex::FillDtmfTable(table, 11025);
  table[5] = tonvex::DtmfEntry{};
  EXPECT_EQ(tonvex::LastActiveRow(table), 4);
  DtmfTableRows full;
  for (auto& row : full) row.LowFreq = 1;
  EXPECT_EQ(tonvex::LastActiveRow(full), 19);
}

}  // namespace

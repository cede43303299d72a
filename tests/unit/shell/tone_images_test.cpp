#include "tone_images.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dtmf_table.h"

namespace {

using tonvex::kToneCount;
using tonvex::kToneTable;

uint32_t Le32(const uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}
uint32_t Le16(const uint8_t* at) { return at[0] | at[1] << 8; }
std::string Tag(const uint8_t* at) { return std::string(reinterpret_cast<const char*>(at), 4); }

TEST(ToneImages, EveryImageHasTheFixedRiffLayout) {
  for (int i = 0; i < kToneCount; ++i) {
    SCOPED_TRACE(std::string("symbol ") + kToneTable[i].Symbol);
    const tonvex::ToneImageBytes& image = tonvex::ToneImage(i);
    ASSERT_EQ(image.size(), 1284u);
    const uint8_t* p = image.data();
    EXPECT_EQ(Tag(p), "RIFF");
    EXPECT_EQ(Le32(p + 4), 1276u);
    EXPECT_EQ(Tag(p + 8), "WAVE");
    EXPECT_EQ(Tag(p + 12), "fmt ");
    EXPECT_EQ(Le32(p + 16), 16u);
    EXPECT_EQ(Le16(p + 20), 1u);
    EXPECT_EQ(Le16(p + 22), 1u);
    EXPECT_EQ(Le32(p + 24), 11025u);
    EXPECT_EQ(Le32(p + 28), 11025u);
    EXPECT_EQ(Le16(p + 32), 1u);
    EXPECT_EQ(Le16(p + 34), 8u);
    EXPECT_EQ(Tag(p + 36), "data");
    EXPECT_EQ(Le32(p + 40), 1102u);
    EXPECT_EQ(p[44], 128) << "both tones start at phase zero";
    EXPECT_EQ(Tag(p + 1146), "ZSTR");
    EXPECT_EQ(Le32(p + 1150), 130u);
    for (int k = 1154; k < 1284; ++k) ASSERT_EQ(p[k], 0) << "trailer byte " << k;
  }
}

// The integer part of the two summed sines, computed in long double; the generator must agree
// exactly wherever the value is not within a hair of a whole number.
TEST(ToneImages, SamplesAreTheTruncatedSumOfTwoSines) {
  const long double pi = std::acos(-1.0L);
  for (int i = 0; i < kToneCount; ++i) {
    SCOPED_TRACE(std::string("symbol ") + kToneTable[i].Symbol);
    const uint8_t* samples = tonvex::ToneImage(i).data() + 44;
    int nearBoundary = 0;
    for (int n = 0; n < 1102; ++n) {
      const long double value =
          128.0L + 63.5L * (std::sin(2.0L * pi * kToneTable[i].LowFreq * n / 11025.0L) +
                            std::sin(2.0L * pi * kToneTable[i].HighFreq * n / 11025.0L));
      const long double whole = std::floor(value);
      ASSERT_GE(samples[n], 1);
      ASSERT_LE(samples[n], 254);
      if (value - whole < 1e-9L || whole + 1 - value < 1e-9L) {
        ++nearBoundary;
        EXPECT_LE(std::abs(samples[n] - static_cast<int>(whole)), 1) << "sample " << n;
      } else {
        EXPECT_EQ(samples[n], static_cast<int>(whole)) << "sample " << n << " value " << value;
      }
    }
    EXPECT_LT(nearBoundary, 20);
  }
}

TEST(ToneImages, TableMatchesTheDetectorsKeysAndResourceIds) {
  tonvex::DtmfTableRows detector{};
  tonvex::FillDtmfTable(detector, 11025);
  for (int i = 0; i < kToneCount; ++i) {
    SCOPED_TRACE(std::string("symbol ") + kToneTable[i].Symbol);
    EXPECT_EQ(kToneTable[i].ResourceId, 205 + i);
    EXPECT_EQ(detector[i].Key, kToneTable[i].Symbol);
    EXPECT_EQ(detector[i].LowFreq, kToneTable[i].LowFreq);
    EXPECT_EQ(detector[i].HighFreq, kToneTable[i].HighFreq);
    EXPECT_EQ(tonvex::FindToneSymbol(kToneTable[i].Symbol), i);
  }
}

}  // namespace

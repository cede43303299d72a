#include "scan_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

scan::ParsedOptions Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "tonvex-scan");
  return scan::ParseScanOptions(static_cast<int>(args.size()), args.data());
}

TEST(ScanOptions, ReadsFlagsValuesAndTheFile) {
  const auto parsed =
      Parse({"--frames", "--keys", "--sensitivity=300", "--max-second=120", "a.wav"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_TRUE(parsed.options.frames);
  EXPECT_TRUE(parsed.options.keys);
  EXPECT_EQ(parsed.options.sensitivity, 300);
  EXPECT_EQ(parsed.options.maxSecond, 120);
  EXPECT_EQ(parsed.options.file, "a.wav");
  EXPECT_EQ(Parse({"--sensitivity=1", "--max-second=10", "b.wav"}).error, "");
}

TEST(ScanOptions, ValuesOutsideTheControlsRangesAreUsageErrors) {
  for (const char* bad :
       {"--sensitivity=0", "--sensitivity=301", "--sensitivity=", "--sensitivity=5x",
        "--sensitivity=+5", "--sensitivity= 5", "--max-second=9", "--max-second=121",
        "--max-second=-10", "--max-second=+10"}) {
    EXPECT_NE(Parse({bad, "a.wav"}).error, "") << bad;
  }
}

TEST(ScanOptions, UnknownOptionsMissingOrExtraFilesAreUsageErrors) {
  EXPECT_NE(Parse({"--fast", "a.wav"}).error, "");
  EXPECT_NE(Parse({}).error, "");
  EXPECT_NE(Parse({"a.wav", "b.wav"}).error, "");
  EXPECT_NE(Parse({"--level", "--frames", "a.wav"}).error, "");
  EXPECT_EQ(Parse({"--help"}).error, "");
  EXPECT_EQ(Parse({"--", "--odd-name.wav"}).options.file, "--odd-name.wav");
}

}  // namespace

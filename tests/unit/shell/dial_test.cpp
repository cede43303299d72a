#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dial_options.h"
#include "dial_render.h"
#include "tone_images.h"
#include "wav_encoder.h"
#include "wave_image.h"

namespace {

std::vector<uint8_t> ToneSamples(char symbol) {
  const uint8_t* data =
      tonvex::ToneImage(tonvex::FindToneSymbol(symbol)).data() + tonvex::kToneDataOffset;
  return std::vector<uint8_t>(data, data + tonvex::kToneSamples);
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

TEST(DialWaveImage, FindsTheDataChunkWhereverItLies) {
  // An odd-sized chunk (with its pad byte) ahead of "fmt ", and "data" last.
  std::vector<uint8_t> image = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                                'L', 'I', 'S', 'T', 3, 0, 0, 0, 'x', 'y', 'z', 0};
  const tonvex::ToneImageBytes& tone = tonvex::ToneImage(0);
  image.insert(image.end(), tone.begin() + 12, tone.begin() + 36);  // the "fmt " chunk
  const std::vector<uint8_t> data = {'d', 'a', 't', 'a', 3, 0, 0, 0, 7, 8, 9};
  Append(image, data);
  image[4] = static_cast<uint8_t>(image.size() - 8);

  tonvex::WaveImageView view;
  ASSERT_TRUE(tonvex::ParseWaveImage(image.data(), static_cast<uint32_t>(image.size()), view));
  EXPECT_EQ(view.SamplesPerSec, 11025u);
  EXPECT_EQ(view.BitsPerSample, 8);
  ASSERT_EQ(view.DataBytes, 3u);
  EXPECT_EQ(view.Data, image.data() + image.size() - 3);

  // A data chunk that claims more bytes than the image holds.
  image[image.size() - 7] = 4;
  EXPECT_FALSE(tonvex::ParseWaveImage(image.data(), static_cast<uint32_t>(image.size()), view));
  image[image.size() - 7] = 3;
  image[0] = 'X';
  EXPECT_FALSE(tonvex::ParseWaveImage(image.data(), static_cast<uint32_t>(image.size()), view));
}

TEST(DialRender, TonesFollowEachOtherWithSilenceOnlyBetweenThem) {
  EXPECT_EQ(tonvex::GapSamples(0), 0u);
  EXPECT_EQ(tonvex::GapSamples(1), 11u);
  EXPECT_EQ(tonvex::GapSamples(60), 662u);  // 661.5 rounds up

  const tonvex::DialOutcome joined = tonvex::RenderDial("1#", 0);
  ASSERT_TRUE(joined.ok);
  std::vector<uint8_t> expected = ToneSamples('1');
  Append(expected, ToneSamples('#'));
  EXPECT_EQ(joined.samples, expected);

  const tonvex::DialOutcome gapped = tonvex::RenderDial("1#", 662);
  ASSERT_TRUE(gapped.ok);
  expected = ToneSamples('1');
  expected.insert(expected.end(), 662, 128);
  Append(expected, ToneSamples('#'));
  EXPECT_EQ(gapped.samples, expected);
}

TEST(DialRender, InvalidSymbolYieldsNoSamplesAndItsPosition) {
  for (const uint32_t gap : {0u, 662u}) {
    const tonvex::DialOutcome outcome = tonvex::RenderDial("12x3y", gap);
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.samples.empty());
    EXPECT_EQ(outcome.failedPosition, 3u);
    EXPECT_EQ(outcome.ErrorMsg, "不正文字有り");
  }
}

TEST(DialWav, EncodedFileHoldsTheSamplesAsEightBitMono) {
  const std::vector<uint8_t> samples = {128, 0, 255, 1, 127};
  std::vector<uint8_t> file;
  std::string error;
  ASSERT_TRUE(dial::EncodeWav(samples, file, error)) << error;
  tonvex::WaveImageView view;
  ASSERT_TRUE(tonvex::ParseWaveImage(file.data(), static_cast<uint32_t>(file.size()), view));
  EXPECT_EQ(view.FormatTag, 1);
  EXPECT_EQ(view.Channels, 1);
  EXPECT_EQ(view.SamplesPerSec, 11025u);
  EXPECT_EQ(view.BitsPerSample, 8);
  EXPECT_EQ(std::vector<uint8_t>(view.Data, view.Data + view.DataBytes), samples);
}

dial::ParsedOptions Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "tonvex-dial");
  return dial::ParseDialOptions(static_cast<int>(args.size()), args.data());
}

TEST(DialOptions, AcceptsOnlyWellFormedCommandLines) {
  EXPECT_EQ(Parse({"--gap=60000", "--out=f.wav", "--", "-1"}).error, "");
  const std::vector<std::vector<const char*>> bad = {
      {},
      {"--gap=60"},
      {"--gap=", "1"},
      {"--gap=-5", "1"},
      {"--gap=+5", "1"},
      {"--gap=5ms", "1"},
      {"--gap=60001", "1"},
      {"--out=", "1"},
      {"-x", "1"},
      {"1", "2"},
  };
  for (const auto& args : bad) {
    std::string joined;
    for (const char* arg : args) joined += std::string(arg) + " ";
    EXPECT_NE(Parse(args).error, "") << joined;
  }
}

}  // namespace

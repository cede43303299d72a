// Which files the simulated picture loader takes: the program's own back1.jpg, whole BMPs.
#include "picture_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "back1_picture.h"

namespace {

void PutLe(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 24-bit BMP of width x |height| pixels: rows of 3 * width bytes padded to 4.
std::vector<uint8_t> Bmp(int width, int height) {
  const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
  const uint32_t pixels = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4 * rows;
  std::vector<uint8_t> bytes(54 + pixels, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
  PutLe(bytes, 10, 54, 4);
  PutLe(bytes, 14, 40, 4);
  PutLe(bytes, 18, static_cast<uint32_t>(width), 4);
  PutLe(bytes, 22, static_cast<uint32_t>(height), 4);
  PutLe(bytes, 26, 1, 2);
  PutLe(bytes, 28, 24, 2);
  PutLe(bytes, 34, pixels, 4);
  return bytes;
}

void ExpectPicture(const std::vector<uint8_t>& bytes, int width, int height) {
  const sim::PictureCheck check = sim::ReadPicture(bytes);
  EXPECT_TRUE(check.ok);
  EXPECT_EQ(check.width, width);
  EXPECT_EQ(check.height, height);
}

TEST(PictureFile, Back1KeepsItsTextOutOfTheCornerTheButtonsShow) {
  const std::vector<uint8_t> pixels = dorvane::DrawBack1Pixels();
  ASSERT_EQ(pixels.size(), size_t{360 * 169 * 3});
  const auto darkest = [&pixels](int left, int top, int right, int bottom) {
    int least = 255;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        for (int channel = 0; channel < 3; ++channel) {
          least = std::min<int>(least, pixels[(static_cast<size_t>(y) * 360 + x) * 3 + channel]);
        }
      }
    }
    return least;
  };
  EXPECT_GT(darkest(0, 0, dorvane::kBack1ButtonFaceWidth, dorvane::kBack1ButtonFaceHeight), 200);
  // The labels are ink left of each field, the title ink in the top strip.
  EXPECT_LT(darkest(0, 32, 200, 52), 80);
  EXPECT_LT(darkest(0, 64, 200, 82), 80);
  EXPECT_LT(darkest(0, 96, 200, 116), 80);
  EXPECT_LT(darkest(60, 0, 360, 28), 80);
  // Nothing under the fields (from 200 pixels across) nor below the labels, where the buttons sit.
  EXPECT_GT(darkest(200, 28, 360, 169), 180);
  EXPECT_GT(darkest(0, 120, 360, 169), 180);
}

TEST(PictureFile, Back1IsAWholeBaselineJpegAndAnyCutOfItIsNot) {
  const std::vector<uint8_t> back1 = dorvane::MakeBack1Jpeg();
  EXPECT_EQ(dorvane::MakeBack1Jpeg(), back1);
  ExpectPicture(back1, 360, 169);
  // Baseline: the frame is a SOF0 marker.
  const std::string text(back1.begin(), back1.end());
  EXPECT_NE(text.find("\xFF\xC0"), std::string::npos);
  EXPECT_EQ(text.find("\xFF\xC2"), std::string::npos);

  for (size_t cut : {back1.size() - 2, back1.size() / 2, size_t{20}}) {
    EXPECT_FALSE(sim::ReadPicture({back1.begin(), back1.begin() + cut}).ok) << cut;
  }
}

TEST(PictureFile, OnlyBmpsWhoseHeaderHoldsTogetherAreTaken) {
  ExpectPicture(Bmp(3, 2), 3, 2);
  ExpectPicture(Bmp(5, -4), 5, 4);

  std::vector<uint8_t> shortOfPixels = Bmp(3, 2);
  shortOfPixels.pop_back();
  EXPECT_FALSE(sim::ReadPicture(shortOfPixels).ok);
  std::vector<uint8_t> oldHeader = Bmp(3, 2);
  PutLe(oldHeader, 14, 12, 4);
  EXPECT_FALSE(sim::ReadPicture(oldHeader).ok);
  std::vector<uint8_t> oddDepth = Bmp(3, 2);
  PutLe(oddDepth, 28, 12, 2);
  EXPECT_FALSE(sim::ReadPicture(oddDepth).ok);

  const std::string text = "BM is not enough: this is a note, not a picture.\n";
  EXPECT_FALSE(sim::ReadPicture({text.begin(), text.end()}).ok);
  EXPECT_FALSE(sim::ReadPicture({}).ok);
}

}  // namespace

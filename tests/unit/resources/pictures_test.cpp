#include "pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using tonvex::Image;
namespace colour = tonvex::colour;

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<uint32_t>(bytes[at + 3]) << 24;
}
uint32_t Le16(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}

// Reads back a 4-bit DIB at `at` (info header, palette, colour rows, and for icons the mask),
// independently of the encoder: rows bottom-up, padded to 32 bits, left pixel in the high nibble.
Image ReadDib(const std::vector<uint8_t>& bytes, size_t at, bool withMask) {
  EXPECT_EQ(Le32(bytes, at), 40u);
  Image image;
  image.Width = static_cast<int>(Le32(bytes, at + 4));
  image.Height = static_cast<int>(Le32(bytes, at + 8)) / (withMask ? 2 : 1);
  EXPECT_EQ(Le16(bytes, at + 12), 1u);
  EXPECT_EQ(Le16(bytes, at + 14), 4u);
  EXPECT_EQ(Le32(bytes, at + 16), 0u);
  for (size_t i = 0; i < 16; ++i) {
    const size_t entry = at + 40 + 4 * i;
    EXPECT_EQ(bytes[entry + 2], tonvex::kPalette[i].Red) << i;
    EXPECT_EQ(bytes[entry + 1], tonvex::kPalette[i].Green) << i;
    EXPECT_EQ(bytes[entry], tonvex::kPalette[i].Blue) << i;
  }
  const size_t colourRow = (static_cast<size_t>(image.Width) * 4 + 31) / 32 * 4;
  const size_t maskRow = (static_cast<size_t>(image.Width) + 31) / 32 * 4;
  const size_t colours = at + 40 + 64;
  const size_t mask = colours + colourRow * static_cast<size_t>(image.Height);
  EXPECT_EQ(Le32(bytes, at + 20), (mask - colours) + (withMask ? maskRow * image.Height : 0));
  for (int y = 0; y < image.Height; ++y) {
    const size_t row = static_cast<size_t>(image.Height - 1 - y);
    for (int x = 0; x < image.Width; ++x) {
      const uint8_t pair = bytes.at(colours + row * colourRow + static_cast<size_t>(x / 2));
      int8_t pixel = static_cast<int8_t>(x % 2 == 0 ? pair >> 4 : pair & 0x0F);
      if (withMask && bytes.at(mask + row * maskRow + static_cast<size_t>(x / 8)) & 0x80 >> x % 8) {
        EXPECT_EQ(pixel, 0) << "transparent pixels are black in the colour image";
        pixel = colour::kTransparent;
      }
      image.Pixels.push_back(pixel);
    }
  }
  return image;
}

TEST(PixelArt, LettersArePaletteEntriesAndDotsTransparent) {
  const Image image = tonvex::ParseArt({"KW.", "BGS"});
  EXPECT_EQ(image.Width, 3);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Pixels, (std::vector<int8_t>{colour::kBlack, colour::kWhite, colour::kTransparent,
                                               colour::kBlue, colour::kGrey, colour::kSilver}));
  EXPECT_EQ(tonvex::ParseArt({"rgynptRLYMC"}).Pixels,
            (std::vector<int8_t>{1, 2, 3, 4, 5, 6, 9, 10, 11, 13, 14}));
}

TEST(PixelArt, RaggedRowsAndUnknownColoursAreRejected) {
  EXPECT_THROW(tonvex::ParseArt({"KK", "K"}), std::invalid_argument);
  EXPECT_THROW(tonvex::ParseArt({"KX"}), std::invalid_argument);
  EXPECT_THROW(tonvex::ParseArt({"K "}), std::invalid_argument);
  EXPECT_THROW(tonvex::ParseArt({std::string("K\0", 2)}), std::invalid_argument);
}

TEST(BmpFile, HeadersAndPixelsOfAnOddWidth) {
  const Image image = tonvex::ParseArt({"KrgynptSG", "RLYBMCWKr", "WWWWWWWWB"});
  const std::vector<uint8_t> file = tonvex::EncodeBmp(image);
  ASSERT_EQ(file.size(), 14u + 40 + 64 + 3 * 8);  // nine pixels fill five bytes, padded to eight
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Le32(file, 2), file.size());
  EXPECT_EQ(Le32(file, 10), 14u + 40 + 64);
  // The bottom row comes first, its left pixel in the high nibble.
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 118, file.begin() + 126),
            (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xC0, 0, 0, 0}));
  const Image back = ReadDib(file, 14, false);
  EXPECT_EQ(back.Width, 9);
  EXPECT_EQ(back.Height, 3);
  EXPECT_EQ(back.Pixels, image.Pixels);
}

TEST(BmpFile, TransparencyIsRefused) {
  EXPECT_THROW(tonvex::EncodeBmp(tonvex::ParseArt({"K."})), std::invalid_argument);
}

TEST(IcoFile, DirectoryAndImagesWithMasks) {
  const Image large = tonvex::LargeIcon();
  const Image small = tonvex::SmallIcon();
  const std::vector<uint8_t> file = tonvex::EncodeIco({large, small});
  EXPECT_EQ(Le16(file, 0), 0u);
  EXPECT_EQ(Le16(file, 2), 1u);
  ASSERT_EQ(Le16(file, 4), 2u);
  size_t next = 6 + 2 * 16;
  const std::pair<int, const Image*> entries[] = {{32, &large}, {16, &small}};
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const size_t entry = 6 + 16 * i;
    const int size = entries[i].first;
    EXPECT_EQ(file[entry], size);
    EXPECT_EQ(file[entry + 1], size);
    EXPECT_EQ(file[entry + 2], 16) << "colours";
    EXPECT_EQ(Le16(file, entry + 4), 1u);
    EXPECT_EQ(Le16(file, entry + 6), 4u);
    const size_t bytes = 40 + 64 + size * size / 2 + size * 4;  // mask rows are 32-bit words
    EXPECT_EQ(Le32(file, entry + 8), bytes);
    EXPECT_EQ(Le32(file, entry + 12), next);
    const Image back = ReadDib(file, next, true);
    EXPECT_EQ(back.Width, size);
    EXPECT_EQ(back.Height, size);
    EXPECT_EQ(back.Pixels, entries[i].second->Pixels);
    next += bytes;
  }
  EXPECT_EQ(next, file.size());
}

// The drawing every picture shares: one dark 8-connected handset lying along the falling
// diagonal, from the upper left to the lower right, and a blue question mark above it, to the
// upper right.
void ExpectHandsetAndQuestionMark(const Image& image) {
  std::vector<std::pair<int, int>> dark;
  std::vector<std::pair<int, int>> blue;
  const int border = image.Width == 32 && image.At(0, 0) == colour::kWhite ? 2 : 0;
  for (int y = border; y < image.Height - border; ++y) {
    for (int x = border; x < image.Width - border; ++x) {
      const int8_t pixel = image.At(x, y);
      if (pixel == colour::kBlack || pixel == colour::kGrey) dark.emplace_back(x, y);
      if (pixel == colour::kBlue) blue.emplace_back(x, y);
    }
  }
  ASSERT_FALSE(dark.empty());
  ASSERT_FALSE(blue.empty());

  std::vector<std::pair<int, int>> reached = {dark.front()};
  for (size_t i = 0; i < reached.size(); ++i) {
    for (const auto& other : dark) {
      const bool touches = std::abs(other.first - reached[i].first) <= 1 &&
                           std::abs(other.second - reached[i].second) <= 1;
      if (touches && std::find(reached.begin(), reached.end(), other) == reached.end()) {
        reached.push_back(other);
      }
    }
  }
  EXPECT_EQ(reached.size(), dark.size()) << "the handset is one piece";

  const int size = image.Width;
  int nearest = 2 * size, farthest = 0, highestRise = -size;
  for (const auto& [x, y] : dark) {
    nearest = std::min(nearest, x + y);
    farthest = std::max(farthest, x + y);
    highestRise = std::max(highestRise, x - y);
  }
  EXPECT_LT(nearest, size / 2) << "an end reaches into the upper left";
  EXPECT_GT(farthest, size * 3 / 2) << "an end reaches into the lower right";
  for (const auto& [x, y] : blue) {
    EXPECT_GE(x, size / 2 - 1) << x << "," << y;
    EXPECT_LT(y, size / 2) << x << "," << y;
    EXPECT_GT(x - y, highestRise) << "above the handset: " << x << "," << y;
  }
}

TEST(Pictures, ControlPictureHasARaisedGreyFace) {
  const Image picture = tonvex::ControlPicture();
  ASSERT_EQ(picture.Width, 32);
  ASSERT_EQ(picture.Height, 32);
  for (int i = 0; i < 31; ++i) {
    EXPECT_EQ(picture.At(i, 0), colour::kWhite) << "top " << i;
    EXPECT_EQ(picture.At(0, i), colour::kWhite) << "left " << i;
  }
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(picture.At(i, 31), colour::kBlack) << "bottom " << i;
    EXPECT_EQ(picture.At(31, i), colour::kBlack) << "right " << i;
  }
  EXPECT_EQ(picture.At(1, 1), colour::kSilver);
  EXPECT_EQ(picture.At(29, 2), colour::kSilver);
  EXPECT_EQ(picture.At(2, 29), colour::kSilver);
  EXPECT_EQ(std::count(picture.Pixels.begin(), picture.Pixels.end(), colour::kTransparent), 0);
  ExpectHandsetAndQuestionMark(picture);
}

TEST(Pictures, LargeIconIsTheControlDrawingWithoutItsFace) {
  const Image icon = tonvex::LargeIcon();
  const Image picture = tonvex::ControlPicture();
  ASSERT_EQ(icon.Width, 32);
  ASSERT_EQ(icon.Height, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool onFace = x <= 1 || y <= 1 || x >= 30 || y >= 30;
      if (onFace) {
        EXPECT_EQ(icon.At(x, y), colour::kTransparent) << x << "," << y;
      }
      if (icon.At(x, y) != colour::kTransparent) {
        EXPECT_EQ(icon.At(x, y), picture.At(x, y)) << x << "," << y;
      }
    }
  }
  ExpectHandsetAndQuestionMark(icon);
}

TEST(Pictures, SmallImagesShowTheSameDrawing) {
  const Image small = tonvex::SmallIcon();
  EXPECT_EQ(small.Width, 16);
  EXPECT_EQ(small.Height, 16);
  EXPECT_EQ(small.At(0, 15), colour::kTransparent);
  ExpectHandsetAndQuestionMark(small);

  const Image toolbox = tonvex::ToolboxPicture();
  EXPECT_EQ(toolbox.Width, 15);
  EXPECT_EQ(toolbox.Height, 15);
  EXPECT_EQ(toolbox.At(0, 14), colour::kSilver);
  EXPECT_EQ(std::count(toolbox.Pixels.begin(), toolbox.Pixels.end(), colour::kTransparent), 0);
  ExpectHandsetAndQuestionMark(toolbox);
}

}  // namespace

// Dorvane's icon: both sizes of one outlined bolt, encoded as one 16-colour icon file.
#include "program_icon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tonvex::Image;
namespace colour = tonvex::colour;

constexpr int8_t kYellow = 11;

uint32_t Le16(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}
uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

// Yellow inside a black outline on a transparent ground: no yellow pixel touches the ground or
// the edge of the image.
void ExpectOutlinedBolt(const Image& image, int size) {
  SCOPED_TRACE(size);
  ASSERT_EQ(image.Width, size);
  ASSERT_EQ(image.Height, size);
  EXPECT_EQ(image.At(0, 0), colour::kTransparent);
  EXPECT_EQ(image.At(size - 1, size - 1), colour::kTransparent);
  int yellow = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int8_t pixel = image.At(x, y);
      EXPECT_TRUE(pixel == kYellow || pixel == colour::kBlack || pixel == colour::kTransparent)
          << x << "," << y;
      if (pixel != kYellow) continue;
      ++yellow;
      const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
      for (const auto& at : neighbours) {
        const bool inside = at[0] >= 0 && at[0] < size && at[1] >= 0 && at[1] < size;
        EXPECT_TRUE(inside && image.At(at[0], at[1]) != colour::kTransparent) << x << "," << y;
      }
    }
  }
  EXPECT_GT(yellow, size * size / 10);
}

TEST(ProgramIcon, BothSizesOfAnOutlinedBoltMakeOneIconFile) {
  const Image large = dorvane::ProgramIconLarge();
  const Image small = dorvane::ProgramIconSmall();
  ExpectOutlinedBolt(large, 32);
  ExpectOutlinedBolt(small, 16);

  const std::vector<uint8_t> file = tonvex::EncodeIco({large, small});
  EXPECT_EQ(Le16(file, 2), 1u);  // an icon
  ASSERT_EQ(Le16(file, 4), 2u);
  size_t end = 6 + 2 * 16;
  for (size_t i = 0; i < 2; ++i) {
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(file[entry], i == 0 ? 32 : 16);
    EXPECT_EQ(file[entry + 2], 16) << "colours";
    EXPECT_EQ(Le16(file, entry + 6), 4u) << "bits per pixel";
    EXPECT_EQ(Le32(file, entry + 12), end);
    end += Le32(file, entry + 8);
  }
  EXPECT_EQ(end, file.size());
}

}  // namespace

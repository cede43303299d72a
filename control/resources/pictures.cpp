#include "pictures.h"

#include <cstring>
#include <stdexcept>

namespace tonvex {
namespace {

constexpr char kColourKeys[] = "KrgynptSGRLYBMCW";
static_assert(sizeof(kColourKeys) - 1 == kPalette.size());

// The handset runs from the earpiece at the upper left to the mouthpiece at the lower right, the
// cups towards the lower left; the grey line is the light on the handle.
// clang-format off
const std::vector<std::string> kLargeArt = {
    "................................",
    "................................",
    ".....................BBBBB......",
    "....................BBBBBBB.....",
    ".......KKKK.........BB...BB.....",
    "......KKKKKK.............BB.....",
    "....KKKKKKKGK...........BB......",
    "...KKKKKKKKKGK.........BB.......",
    "...KKKKKKKKKKGK.......BB........",
    "....KKKKKK.KKKGK......BB........",
    ".....KKKKK..KKKGK...............",
    "......KKK....KKKGK....BB........",
    ".......KK.....KKKGK...BB........",
    "...............KKKGK............",
    "................KKKGK...........",
    ".................KKKGK..........",
    "..................KKKGK.........",
    "...................KKKGK........",
    "....................KKKGK.......",
    ".....................KKKGK......",
    "......................KKKKK.....",
    "....................KKKKKKK.....",
    "..................KKKKKKKKK.....",
    "..................KKKKKKKKK.....",
    "...................KKKKKKK......",
    "....................KKKKK.......",
    ".....................KKKK.......",
    "......................KK........",
    "................................",
    "................................",
    "................................",
    "................................",
};

const std::vector<std::string> kSmallArt = {
    "...........BBB..",
    "..........B...B.",
    "..KKK.........B.",
    ".KKKKK.......B..",
    ".KKKKKK.....B...",
    "..KKKKKK........",
    "...KK.KKK...B...",
    "....K..KKK......",
    "........KKK.....",
    ".........KKK....",
    "..........KKK...",
    "........KKKKKK..",
    ".........KKKKK..",
    "..........KKKK..",
    "...........KK...",
    "................",
};

const std::vector<std::string> kToolboxArt = {
    "..........BBB..",
    "..KKK....B...B.",
    ".KKKKK.......B.",
    ".KKKKKK.....B..",
    "..KKKKKK...B...",
    "...KK.KKK......",
    "....K..KKK.B...",
    "........KKK....",
    ".........KKK...",
    "..........KKK..",
    "........KKKKKK.",
    ".........KKKKK.",
    "..........KKKK.",
    "...........KK..",
    "...............",
};
// clang-format on

// Transparent pixels of `art` take the colour of `face`.
Image Over(const Image& art, Image face) {
  for (size_t i = 0; i < face.Pixels.size(); ++i) {
    if (art.Pixels[i] != colour::kTransparent) face.Pixels[i] = art.Pixels[i];
  }
  return face;
}

Image Filled(int width, int height, int8_t colour) {
  return Image{width, height, std::vector<int8_t>(static_cast<size_t>(width * height), colour)};
}

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }

 private:
  std::vector<uint8_t>& bytes_;  // not owned
};

constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kPaletteBytes = 4 * kPalette.size();

// Rows of a device-independent bitmap are padded to whole 32-bit words.
uint32_t RowBytes(int width, int bitsPerPixel) {
  return (static_cast<uint32_t>(width * bitsPerPixel) + 31) / 32 * 4;
}

uint32_t ColourBytes(const Image& image) { return RowBytes(image.Width, 4) * image.Height; }
uint32_t MaskBytes(const Image& image) { return RowBytes(image.Width, 1) * image.Height; }

// BITMAPINFOHEADER and the palette. An icon image states twice its height: colour and mask.
void WriteInfoAndPalette(ByteWriter& out, const Image& image, int heightFactor,
                         uint32_t imageBytes) {
  out.U32(kInfoHeaderBytes);
  out.U32(static_cast<uint32_t>(image.Width));
  out.U32(static_cast<uint32_t>(image.Height * heightFactor));
  out.U16(1);  // planes
  out.U16(4);  // bits per pixel
  out.U32(0);  // BI_RGB
  out.U32(imageBytes);
  out.U32(0);
  out.U32(0);
  out.U32(kPalette.size());
  out.U32(0);
  for (const Rgb& entry : kPalette) {
    out.U8(entry.Blue);
    out.U8(entry.Green);
    out.U8(entry.Red);
    out.U8(0);
  }
}

// Bottom row first, the left pixel of each pair in the high nibble.
void WriteColourRows(std::vector<uint8_t>& out, const Image& image) {
  const uint32_t rowBytes = RowBytes(image.Width, 4);
  for (int y = image.Height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.Width; ++x) {
      const int8_t pixel = image.At(x, y);
      const uint8_t index = pixel == colour::kTransparent ? 0 : static_cast<uint8_t>(pixel);
      row[static_cast<size_t>(x / 2)] |= x % 2 == 0 ? index << 4 : index;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void WriteMaskRows(std::vector<uint8_t>& out, const Image& image) {
  const uint32_t rowBytes = RowBytes(image.Width, 1);
  for (int y = image.Height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.Width; ++x) {
      if (image.At(x, y) == colour::kTransparent) row[static_cast<size_t>(x / 8)] |= 0x80 >> x % 8;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

Image ParseArt(const std::vector<std::string>& rows) {
  Image image;
  image.Height = static_cast<int>(rows.size());
  image.Width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  for (const std::string& row : rows) {
    if (static_cast<int>(row.size()) != image.Width) {
      throw std::invalid_argument("pixel art rows differ in length");
    }
    for (char key : row) {
      const char* found = key == '\0' ? nullptr : std::strchr(kColourKeys, key);
      if (key == '.') {
        image.Pixels.push_back(colour::kTransparent);
      } else if (found) {
        image.Pixels.push_back(static_cast<int8_t>(found - kColourKeys));
      } else {
        throw std::invalid_argument(std::string("unknown pixel art colour '") + key + "'");
      }
    }
  }
  return image;
}

Image ControlPicture() {
  constexpr int kSize = 32;
  Image face = Filled(kSize, kSize, colour::kSilver);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      int8_t& pixel = face.Pixels[static_cast<size_t>(y * kSize + x)];
      if (x == kSize - 1 || y == kSize - 1) {
        pixel = colour::kBlack;
      } else if (x == 0 || y == 0) {
        pixel = colour::kWhite;
      } else if (x == kSize - 2 || y == kSize - 2) {
        pixel = colour::kGrey;
      }
    }
  }
  return Over(LargeIcon(), face);
}

Image ToolboxPicture() {
  const Image art = ParseArt(kToolboxArt);
  return Over(art, Filled(art.Width, art.Height, colour::kSilver));
}

Image LargeIcon() { return ParseArt(kLargeArt); }

Image SmallIcon() { return ParseArt(kSmallArt); }

std::vector<uint8_t> EncodeBmp(const Image& image) {
  for (int8_t pixel : image.Pixels) {
    if (pixel == colour::kTransparent) throw std::invalid_argument("a bitmap has no transparency");
  }
  constexpr uint32_t kFileHeaderBytes = 14;
  const uint32_t dataOffset = kFileHeaderBytes + kInfoHeaderBytes + kPaletteBytes;
  std::vector<uint8_t> bytes;
  ByteWriter out(bytes);
  out.U8('B');
  out.U8('M');
  out.U32(dataOffset + ColourBytes(image));
  out.U32(0);
  out.U32(dataOffset);
  WriteInfoAndPalette(out, image, 1, ColourBytes(image));
  WriteColourRows(bytes, image);
  return bytes;
}

std::vector<uint8_t> EncodeIco(const std::vector<Image>& images) {
  constexpr uint32_t kDirectoryBytes = 6;
  constexpr uint32_t kEntryBytes = 16;
  std::vector<uint8_t> bytes;
  ByteWriter out(bytes);
  out.U16(0);
  out.U16(1);  // icon
  out.U16(static_cast<uint16_t>(images.size()));
  uint32_t offset = kDirectoryBytes + kEntryBytes * static_cast<uint32_t>(images.size());
  for (const Image& image : images) {
    const uint32_t size = kInfoHeaderBytes + kPaletteBytes + ColourBytes(image) + MaskBytes(image);
    out.U8(static_cast<uint8_t>(image.Width));
    out.U8(static_cast<uint8_t>(image.Height));
    out.U8(kPalette.size());
    out.U8(0);
    out.U16(1);  // planes
    out.U16(4);  // bits per pixel
    out.U32(size);
    out.U32(offset);
    offset += size;
  }
  for (const Image& image : images) {
    WriteInfoAndPalette(out, image, 2, ColourBytes(image) + MaskBytes(image));
    WriteColourRows(bytes, image);
    WriteMaskRows(bytes, image);
  }
  return bytes;
}

}  // namespace tonvex

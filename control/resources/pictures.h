// The control's pictures as 16-colour pixel art, and their encoding as BMP and ICO files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tonvex {

struct Rgb {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
};

// The standard 16-colour VGA palette, in the order Windows gives its 4-bit bitmaps.
constexpr std::array<Rgb, 16> kPalette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

namespace colour {
constexpr int8_t kBlack = 0;
constexpr int8_t kSilver = 7;
constexpr int8_t kGrey = 8;
constexpr int8_t kBlue = 12;
constexpr int8_t kWhite = 15;
constexpr int8_t kTransparent = -1;  // only icons may hold it
}  // namespace colour

// Palette indexes, row by row from the top.
struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<int8_t> Pixels;

  int8_t At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
};

// One character per pixel: '.' is transparent, the letters of "KrgynptSGRLYBMCW" are palette
// entries 0 to 15. Throws std::invalid_argument for ragged rows or any other character.
Image ParseArt(const std::vector<std::string>& rows);

// Bitmap 221: 32 by 32, the handset and question mark on a raised light grey face.
Image ControlPicture();
// Bitmap 1: 15 by 15, the toolbox button face.
Image ToolboxPicture();
// Icon 1: the 32 by 32 and 16 by 16 images, with transparent background.
Image LargeIcon();
Image SmallIcon();

// A bottom-up 4-bit BMP file with the VGA palette. The image must have no transparent pixel.
std::vector<uint8_t> EncodeBmp(const Image& image);
// An ICO file of 4-bit images, transparent pixels cleared in colour and set in the AND mask.
std::vector<uint8_t> EncodeIco(const std::vector<Image>& images);

}  // namespace tonvex

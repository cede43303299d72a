#include "back1_picture.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
// clang-format on
#include <ft2build.h>
#include FT_FREETYPE_H

namespace dorvane {
namespace {

struct Rgb {
  int Red;
  int Green;
  int Blue;
};

// Light enough at the top, where the buttons take their faces, for black bold captions.
constexpr Rgb kTop = {228, 234, 241};
constexpr Rgb kBottom = {194, 205, 218};
constexpr int kStripePeriod = 14;
constexpr int kQuality = 85;

int Blend(int top, int bottom, int y) {
  const int span = kBack1Height - 1;
  return (top * (span - y) + bottom * y + span / 2) / span;
}

// Thin lines along x + y, lighter by a few levels and softened by a pixel either side.
int Sheen(int x, int y) {
  const int phase = (x + y) % kStripePeriod;
  const int distance = phase < kStripePeriod - phase ? phase : kStripePeriod - phase;
  return distance == 0 ? 7 : distance == 1 ? 3 : 0;
}

uint8_t Clamp(int value) { return static_cast<uint8_t>(value > 255 ? 255 : value); }

std::vector<uint8_t> DrawBackground() {
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(kBack1Width) * kBack1Height * 3);
  for (int y = 0; y < kBack1Height; ++y) {
    const Rgb row = {Blend(kTop.Red, kBottom.Red, y), Blend(kTop.Green, kBottom.Green, y),
                     Blend(kTop.Blue, kBottom.Blue, y)};
    for (int x = 0; x < kBack1Width; ++x) {
      const int sheen = Sheen(x, y);
      pixels.push_back(Clamp(row.Red + sheen));
      pixels.push_back(Clamp(row.Green + sheen));
      pixels.push_back(Clamp(row.Blue + sheen));
    }
  }
  return pixels;
}

// A line of text in one face and pixel size, its baseline at y; left is where it starts, or
// with centre, the middle it is centred on.
struct Caption {
  const char* Text;
  const char* FontFile;
  int PixelSize;
  int Left;
  int Baseline;
  bool Centre;
};

constexpr Rgb kInk = {24, 36, 58};

// Fields at 32, 64 and 96 pixels from the top (20, 18 and 20 high); the labels sit left of
// them where the plain dialog puts its own. The title stays right of the corner the buttons show.
const Caption kCaptions[] = {
    {"Preference", DORVANE_CAPTION_BOLD_FONT, 15, kBack1Width / 2, 20, true},
    {"COM port", DORVANE_CAPTION_FONT, 13, 24, 46, false},
    {"Modem dial number", DORVANE_CAPTION_FONT, 13, 24, 77, false},
    {"Modem command", DORVANE_CAPTION_FONT, 13, 24, 110, false},
};

int Advance(FT_Face face, const char* text) {
  int width = 0;
  for (const char* c = text; *c; ++c) {
    if (FT_Load_Char(face, static_cast<unsigned char>(*c), FT_LOAD_DEFAULT) == 0) {
      width += static_cast<int>(face->glyph->advance.x >> 6);
    }
  }
  return width;
}

// Each glyph's anti-aliased coverage blends the ink over the picture.
void DrawGlyph(const FT_Bitmap& glyph, int left, int top, std::vector<uint8_t>& pixels) {
  for (unsigned row = 0; row < glyph.rows; ++row) {
    for (unsigned column = 0; column < glyph.width; ++column) {
      const int x = left + static_cast<int>(column);
      const int y = top + static_cast<int>(row);
      if (x < 0 || y < 0 || x >= kBack1Width || y >= kBack1Height) continue;
      const int coverage = glyph.buffer[row * glyph.pitch + column];
      uint8_t* pixel = &pixels[(static_cast<size_t>(y) * kBack1Width + x) * 3];
      const int ink[3] = {kInk.Red, kInk.Green, kInk.Blue};
      for (int channel = 0; channel < 3; ++channel) {
        pixel[channel] = static_cast<uint8_t>(
            (pixel[channel] * (255 - coverage) + ink[channel] * coverage + 127) / 255);
      }
    }
  }
}

bool DrawCaption(FT_Library library, const Caption& caption, std::vector<uint8_t>& pixels) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, caption.FontFile, 0, &face) != 0) return false;
  bool drawn = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(caption.PixelSize)) == 0;
  int pen = caption.Centre ? caption.Left - Advance(face, caption.Text) / 2 : caption.Left;
  for (const char* c = caption.Text; drawn && *c; ++c) {
    drawn = FT_Load_Char(face, static_cast<unsigned char>(*c), FT_LOAD_RENDER) == 0;
    if (!drawn) break;
    const FT_GlyphSlot glyph = face->glyph;
    DrawGlyph(glyph->bitmap, pen + glyph->bitmap_left, caption.Baseline - glyph->bitmap_top,
              pixels);
    pen += static_cast<int>(glyph->advance.x >> 6);
  }
  FT_Done_Face(face);
  return drawn;
}

bool DrawCaptions(std::vector<uint8_t>& pixels) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return false;
  bool drawn = true;
  for (const Caption& caption : kCaptions) drawn = drawn && DrawCaption(library, caption, pixels);
  FT_Done_FreeType(library);
  return drawn;
}

struct JumpingErrors {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

// libjpeg's own handler exits the process; this one returns to the caller's setjmp.
void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->Jump, 1);
}

std::vector<uint8_t> EncodeBaselineJpeg(const std::vector<uint8_t>& rgb, int width, int height) {
  jpeg_compress_struct info;
  JumpingErrors errors;
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = JumpBack;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<size_t>(info.next_scanline) * width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> encoded(buffer, buffer + size);
  std::free(buffer);
  return encoded;
}

}  // namespace

std::vector<uint8_t> DrawBack1Pixels() {
  std::vector<uint8_t> pixels = DrawBackground();
  if (!DrawCaptions(pixels)) return {};
  return pixels;
}

std::vector<uint8_t> MakeBack1Jpeg() {
  const std::vector<uint8_t> pixels = DrawBack1Pixels();
  if (pixels.empty()) return {};
  return EncodeBaselineJpeg(pixels, kBack1Width, kBack1Height);
}

}  // namespace dorvane

#include "back1_picture.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
// clang-format on

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

std::vector<uint8_t> DrawBack1() {
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

std::vector<uint8_t> MakeBack1Jpeg() {
  return EncodeBaselineJpeg(DrawBack1(), kBack1Width, kBack1Height);
}

}  // namespace dorvane

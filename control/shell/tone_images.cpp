#include "tone_images.h"

#include <cmath>
#include <cstring>

namespace tonvex {
namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;

class ImageWriter {
 public:
  explicit ImageWriter(ToneImageBytes& image) : image_(image) {}

  void Tag(const char* fourCc) {
    std::memcpy(&image_[at_], fourCc, 4);
    at_ += 4;
  }
  void U16(uint16_t value) {
    image_[at_++] = static_cast<uint8_t>(value);
    image_[at_++] = static_cast<uint8_t>(value >> 8);
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }
  void Byte(uint8_t value) { image_[at_++] = value; }

 private:
  ToneImageBytes& image_;  // not owned
  uint32_t at_ = 0;
};

}  // namespace

uint8_t ToneSample(int32_t lowFreq, int32_t highFreq, uint32_t n) {
  // Whole cycles are taken out in integers so that late samples keep their phase exactly.
  auto component = [n](int32_t freq) {
    const uint64_t cycle = static_cast<uint64_t>(freq) * n % kToneSampleRate;
    return std::sin(kTwoPi * static_cast<double>(cycle) / kToneSampleRate);
  };
  const double value = 128.0 + 63.5 * (component(lowFreq) + component(highFreq));
  return static_cast<uint8_t>(value);  // truncation: the value lies within 1 to 255
}

ToneImageBytes MakeToneImage(int32_t lowFreq, int32_t highFreq) {
  ToneImageBytes image{};
  ImageWriter out(image);
  out.Tag("RIFF");
  out.U32(kToneImageBytes - 8);
  out.Tag("WAVE");
  out.Tag("fmt ");
  out.U32(16);
  out.U16(1);  // PCM
  out.U16(1);  // mono
  out.U32(kToneSampleRate);
  out.U32(kToneSampleRate);  // bytes per second
  out.U16(1);                // block align
  out.U16(8);                // bits per sample
  out.Tag("data");
  out.U32(kToneSamples);
  for (uint32_t n = 0; n < kToneSamples; ++n) out.Byte(ToneSample(lowFreq, highFreq, n));
  out.Tag("ZSTR");
  out.U32(kToneTrailerBytes);
  // The trailer's bytes are already zero.
  return image;
}

const ToneImageBytes& ToneImage(int index) {
  static const std::array<ToneImageBytes, kToneCount> images = [] {
    std::array<ToneImageBytes, kToneCount> built{};
    for (int i = 0; i < kToneCount; ++i) {
      built[i] = MakeToneImage(kToneTable[i].LowFreq, kToneTable[i].HighFreq);
    }
    return built;
  }();
  return images[index];
}

}  // namespace tonvex

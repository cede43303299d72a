// The line as the sound card records it and every tool reproduces it.
#pragma once

#include <cstdint>

namespace tonvex {

constexpr uint32_t kLineRate = 11025;  // samples per second
constexpr uint16_t kLineBits = 8;      // unsigned, 128 is the zero line
constexpr uint16_t kLineChannels = 1;
constexpr uint32_t kCaptureSeconds = 10;  // one capture buffer
constexpr uint32_t kCaptureSamples = kCaptureSeconds * kLineRate;

}  // namespace tonvex

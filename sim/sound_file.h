// Reads a sound file as the line a sound card would record: mono, 11025 Hz, unsigned 8 bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct LineRecording {
  std::vector<uint8_t> samples;
  std::string error;  // empty on success: why the file could not be read
};

LineRecording ReadLineRecording(const std::string& path);

// Nearest 8-bit code of a sample in -1..1, clipped.
uint8_t QuantiseToUnsigned8(double sample);

}  // namespace sim

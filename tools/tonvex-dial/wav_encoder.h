// An 8-bit unsigned mono 11025 Hz WAV file, built in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dial {

// False with a reason in `error` when the file cannot be built.
bool EncodeWav(const std::vector<uint8_t>& samples, std::vector<uint8_t>& file, std::string& error);

}  // namespace dial

#include "wave_in.h"

#include <new>

namespace tonvex {

std::unique_ptr<uint8_t[]> WaveIn::AllocateBuffer(uint32_t bytes) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes]());
}

}  // namespace tonvex

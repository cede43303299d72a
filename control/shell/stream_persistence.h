// The control's properties as a byte stream, little-endian, in exchange order:
//   offset 0  uint32  version (0x00010000 when saved; any version loads)
//          4  int32   extent x, HIMETRIC
//          8  int32   extent y, HIMETRIC
//         12  int16   Enabled (-1 true, 0 false; any non-zero loads as true)
//         14  int32   Sensitivity
//         18  int16   MaxSecond
// 20 bytes in all; bytes after them belong to whoever wrote the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "property_exchange.h"

namespace tonvex {

constexpr size_t kStreamBytes = 20;

std::vector<uint8_t> SaveToStream(const PersistentState& state);

// Reads the state from the start of data. A stream too short for it gives kReadFault and the
// defaults: a control is never half loaded.
HResult LoadFromStream(const uint8_t* data, size_t size, PersistentState& state);

}  // namespace tonvex

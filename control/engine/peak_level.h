#pragma once

#include <cstddef>
#include <cstdint>

namespace tonvex {

// Largest distance of an 8-bit sample from the zero line 127, capped at 127; 0 for no samples.
int32_t PeakLevel(const double* samples, size_t count);

}  // namespace tonvex

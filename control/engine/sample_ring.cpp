#include "sample_ring.h"

#include <algorithm>
#include <new>

namespace tonvex {

int SampleRing::Allocate(uint32_t n) {
  if (Storage) return 0;
  Storage.reset(new (std::nothrow) double[n]());
  if (!Storage) return 0;
  Capacity = n;
  FreeCount = n;
  ReadIndex = 0;
  WriteIndex = 0;
  return 1;
}

void SampleRing::Release() {
  Storage.reset();
  Capacity = 0;
  ReadIndex = 0;
  WriteIndex = 0;
  FreeCount = 0;
}

int SampleRing::Push(const double* source, uint32_t n) {
  if (FreeCount < n) return 0;
  const uint32_t first = std::min(n, Capacity - WriteIndex);
  std::copy(source, source + first, Storage.get() + WriteIndex);
  std::copy(source + first, source + n, Storage.get());
  WriteIndex = n - first > 0 ? n - first : WriteIndex + first;
  if (WriteIndex == Capacity) WriteIndex = 0;
  FreeCount -= n;
  return 1;
}

uint32_t SampleRing::Peek(double* destination, uint32_t n) const {
  const uint32_t count = std::min(Used(), n);
  const uint32_t first = std::min(count, Capacity - ReadIndex);
  std::copy(Storage.get() + ReadIndex, Storage.get() + ReadIndex + first, destination);
  std::copy(Storage.get(), Storage.get() + (count - first), destination + first);
  return count;
}

void SampleRing::Skip(uint32_t n) {
  const uint32_t count = std::min(Used(), n);
  ReadIndex += count;
  if (ReadIndex >= Capacity) ReadIndex -= Capacity;
  FreeCount += count;
}

const double* SampleRing::Contiguous(uint32_t n) const {
  if (Used() < n || Capacity - ReadIndex < n) return nullptr;
  return Storage.get() + ReadIndex;
}

}  // namespace tonvex

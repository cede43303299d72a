// Fixed-capacity FIFO of samples between capture and analysis.
#pragma once

#include <cstdint>
#include <memory>

namespace tonvex {

class SampleRing {
 public:
  // 1 on success; 0 when storage is already held (nothing changes) or cannot be obtained.
  int Allocate(uint32_t n);
  // Frees the storage and zeroes every field; harmless when nothing is held.
  void Release();
  // 0 and nothing written when fewer than n slots are free.
  int Push(const double* source, uint32_t n);
  // Copies the min(Used, n) oldest samples without removing them; returns that count.
  uint32_t Peek(double* destination, uint32_t n) const;
  // Removes the min(Used, n) oldest samples.
  void Skip(uint32_t n);

  uint32_t Used() const { return Capacity - FreeCount; }
  uint32_t Free() const { return FreeCount; }
  uint32_t Size() const { return Capacity; }
  bool HasStorage() const { return Storage != nullptr; }

  // The n oldest samples when they lie in one piece of the storage, else null.
  const double* Contiguous(uint32_t n) const;

 private:
  uint32_t Capacity = 0;
  std::unique_ptr<double[]> Storage;
  uint32_t ReadIndex = 0;
  uint32_t WriteIndex = 0;
  uint32_t FreeCount = 0;
};

}  // namespace tonvex

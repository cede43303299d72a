#include "streamed_line.h"

#include <algorithm>

namespace scan {
namespace {

constexpr size_t kPiece = 1 << 16;

}  // namespace

void StreamedLine::Read(uint64_t first, uint8_t* out, size_t count) const {
  std::fill(out, out + count, sim::LineWaveIn::kSilence);
  // What lies before `first` will not be asked for again; it goes a piece at a time.
  if (first > windowStart_ + kPiece && first - windowStart_ <= window_.size()) {
    const size_t stale = static_cast<size_t>(first - windowStart_);
    window_.erase(window_.begin(), window_.begin() + static_cast<ptrdiff_t>(stale));
    windowStart_ = first;
  }
  while (!ended_ && windowStart_ + window_.size() < first + count) {
    const size_t start = window_.size();
    window_.resize(start + kPiece);
    const size_t got = reader_.Read(window_.data() + start, kPiece);
    window_.resize(start + got);
    ended_ = got < kPiece;
  }
  if (first < windowStart_ || first - windowStart_ >= window_.size()) return;
  const size_t offset = static_cast<size_t>(first - windowStart_);
  const size_t available = std::min(count, window_.size() - offset);
  std::copy_n(window_.begin() + static_cast<ptrdiff_t>(offset), available, out);
}

}  // namespace scan

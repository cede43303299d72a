#include "line_feed.h"

#include <algorithm>

#include "dial_render.h"

namespace sim {

void LineFeed::Play(std::vector<uint8_t> samples, Micros start) {
  sound_ = std::move(samples);
  // The first sample heard at or after the start.
  startSample_ = SamplesBetween(0, start);
  if (TimeOfSamples(startSample_) < start) ++startSample_;
}

void LineFeed::Read(uint64_t first, uint8_t* out, size_t count) const {
  std::fill(out, out + count, LineWaveIn::kSilence);
  const uint64_t end = startSample_ + sound_.size();
  const uint64_t from = std::max(first, startSample_);
  const uint64_t to = std::min<uint64_t>(first + count, end);
  if (from >= to) return;
  std::copy(sound_.begin() + static_cast<ptrdiff_t>(from - startSample_),
            sound_.begin() + static_cast<ptrdiff_t>(to - startSample_), out + (from - first));
}

bool DialSamples(const std::string& symbols, uint32_t gapMs, std::vector<uint8_t>& samples) {
  tonvex::DialOutcome outcome = tonvex::RenderDial(symbols, tonvex::GapSamples(gapMs));
  if (!outcome.ok) return false;
  samples = std::move(outcome.samples);
  return true;
}

}  // namespace sim

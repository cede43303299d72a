// Cutting the queued samples into overlapping frames and deciding on symbols.
#include <algorithm>
#include <cstring>

#include "peak_level.h"
#include "tonvex_ctrl.h"

namespace tonvex {
namespace {

constexpr int32_t kBatch = BinMagnitudes::kMaxFrames;
constexpr int32_t kBatchSpan = kFrameSize + (kBatch - 1) * kFrameHop;

}  // namespace

void CTonvexCtrl::AnalysePending() {
  // Frames that are due now are transformed together, then decided one by one in order, each
  // after its own skip, exactly as frame-by-frame analysis would.
  double samples[kBatchSpan];
  double magnitudes[kBatch * kFrameSize];
  const uint32_t generation = searchGeneration_;
  bool nextIsQuiet = false;  // the frame after a lone transform was proven quiet already
  while (Ring.Used() > static_cast<uint32_t>(kFrameSize)) {
    const int32_t due = static_cast<int32_t>((Ring.Used() - kFrameSize - 1) / kFrameHop) + 1;
    int32_t count = std::min(due, kBatch);
    // A frame proven too quiet for any key is decided as its transform would decide it.
    if (nextIsQuiet || (Ring.Peek(samples, kFrameSize), IsProvablyQuiet(samples))) {
      nextIsQuiet = false;
      Ring.Skip(kFrameHop);
      DecideQuietFrame();
      continue;
    }
    Ring.Peek(samples, kFrameSize + (count - 1) * kFrameHop);
    if (count > 1 && IsProvablyQuiet(samples + kFrameHop)) {
      count = 1;
      nextIsQuiet = true;
    }
    Spectrum.Magnitudes(samples, kFrameHop, count, magnitudes);
    for (int32_t f = 0; f < count; ++f) {
      Ring.Skip(kFrameHop);
      DecideFrame(samples + f * kFrameHop, kFrameSize, magnitudes + f * Spectrum.Bins().size());
      // A DtmfHit handler may have stopped the search and released the ring.
      if (generation != searchGeneration_) return;
    }
  }
}

void CTonvexCtrl::AnalyseFrame() {
  if (Ring.Used() == 0) return;
  double frame[kFrameSize];
  const uint32_t copied = Ring.Peek(frame, kFrameSize);
  if (copied == 0) return;
  std::memset(frame + copied, 0, (kFrameSize - copied) * sizeof(double));
  Ring.Skip(kFrameHop);
  double magnitudes[kFrameSize];
  Spectrum.Magnitudes(frame, 0, 1, magnitudes);
  DecideFrame(frame, copied, magnitudes);
}

bool CTonvexCtrl::IsProvablyQuiet(const double* frame) const {
  // strength * 0.5 never exceeds the larger of the two peaks, nor any bound on the bins.
  return Spectrum.MagnitudeBound(frame) < Threshold;
}

void CTonvexCtrl::DecideQuietFrame() {
  if (LastRow < 0) return;
  ClearHitCounts();
  Reported = 0;
}

void CTonvexCtrl::DecideFrame(const double* frame, uint32_t frameLength, const double* magnitudes) {
  if (LastRow < 0) return;
  const DtmfTableRows& table = DtmfTable();
  int32_t lowPeak = table[0].LowBin;
  double lowBest = magnitudes[lowBinIndex_[0]];
  int32_t highPeak = table[0].HighBin;
  double highBest = magnitudes[highBinIndex_[0]];
  for (int32_t r = 1; r <= LastRow; ++r) {
    if (magnitudes[lowBinIndex_[r]] > lowBest) {
      lowBest = magnitudes[lowBinIndex_[r]];
      lowPeak = table[r].LowBin;
    }
    if (magnitudes[highBinIndex_[r]] > highBest) {
      highBest = magnitudes[highBinIndex_[r]];
      highPeak = table[r].HighBin;
    }
  }

  int32_t symbol = -1;
  for (int32_t r = 0; r <= LastRow; ++r) {
    if (table[r].LowBin == lowPeak && table[r].HighBin == highPeak) symbol = r;
  }

  const double strength = lowBest + highBest;
  // Peaks that form no symbol (a 400 Hz tone beside a high-group tone, speech) count as no
  // key at all, like a quiet frame, rather than as the key "0".
  if (symbol < 0 || strength * 0.5 < Threshold) {
    ClearHitCounts();
    Reported = 0;
    return;
  }

  HitCounts[symbol] += 1;
  int32_t countingRows = 0;
  for (int32_t r = 0; r <= LastRow; ++r) {
    if (HitCounts[r] >= 1) ++countingRows;
  }
  if (countingRows >= 2) {
    ClearHitCounts();
    Reported = 0;
    return;
  }
  if (HitCounts[symbol] < table[symbol].MinFrames) return;
  if (symbol != LastKeyRow) Reported = 0;
  if (Reported) return;

  const int32_t level = PeakLevel(frame, frameLength);
  const EventArgs hit = {static_cast<int16_t>(table[symbol].Key), static_cast<int16_t>(level),
                         static_cast<int32_t>(strength * 5.0), static_cast<int32_t>(Ring.Free())};
  // Recorded before the host hears of it, so nothing the host does inside can report it again.
  LastKeyRow = symbol;
  Reported = 1;
  ClearHitCounts();
  site_.FireEvent(dispid::kDtmfHit, hit);
}

}  // namespace tonvex

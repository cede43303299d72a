#include "dtmf_detector.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "peak_level.h"

namespace tonvex {
namespace {

constexpr int32_t kBatch = BinMagnitudes::kMaxFrames;
constexpr int32_t kBatchSpan = kFrameSize + (kBatch - 1) * kFrameHop;
constexpr uint32_t kFeedCapacity = 16 * 1024;

}  // namespace

DtmfDetector::DtmfDetector(uint32_t sampleRate) {
  DtmfTableRows& table = DtmfTable();
  FillDtmfTable(table, sampleRate);

  // Each distinct bin of the active rows is transformed once per frame.
  std::vector<int32_t> bins;
  auto indexOf = [&bins](int32_t bin) {
    auto found = std::find(bins.begin(), bins.end(), bin);
    if (found != bins.end()) return static_cast<int32_t>(found - bins.begin());
    bins.push_back(bin);
    return static_cast<int32_t>(bins.size() - 1);
  };
  for (int32_t r = 0; r <= LastActiveRow(table); ++r) {
    lowBinIndex_[r] = indexOf(table[r].LowBin);
    highBinIndex_[r] = indexOf(table[r].HighBin);
  }
  Spectrum.Plan(bins);
}

void DtmfDetector::Arm(int32_t sensitivity) {
  Threshold = sensitivity * kThresholdPerSensitivity;
  LastRow = LastActiveRow(DtmfTable());
  framesDecided_ = 0;
}

void DtmfDetector::ClearHitCounts() { HitCounts.fill(0); }

void DtmfDetector::Feed(const double* samples, size_t count, DtmfHitSink& sink) {
  if (!fed_.HasStorage()) fed_.Allocate(kFeedCapacity);
  while (count > 0) {
    const uint32_t piece = static_cast<uint32_t>(std::min<size_t>(count, fed_.Free()));
    fed_.Push(samples, piece);
    samples += piece;
    count -= piece;
    AnalysePending(fed_, sink);
  }
}

void DtmfDetector::AnalysePending(SampleRing& ring, DtmfHitSink& sink) {
  // Frames that are due now are transformed together, then decided one by one in order, each
  // after its own skip, exactly as frame-by-frame analysis would. Samples are read in place
  // where the ring holds them in one piece; nothing writes to the ring meanwhile.
  double copy[kBatchSpan];
  double magnitudes[kBatch * kFrameSize];
  const int32_t lanes = Spectrum.Lanes();
  auto view = [&ring, &copy](uint32_t n) {
    const double* inPlace = ring.Contiguous(n);
    if (inPlace) return inPlace;
    ring.Peek(copy, n);
    return static_cast<const double*>(copy);
  };
  bool nextIsQuiet = false;  // the frame after the batch was proven quiet already
  while (ring.Used() > static_cast<uint32_t>(kFrameSize)) {
    const int32_t due = static_cast<int32_t>((ring.Used() - kFrameSize - 1) / kFrameHop) + 1;
    int32_t count = std::min(due, lanes);
    // A frame proven too quiet for any key is decided as its transform would decide it.
    if (nextIsQuiet || IsProvablyQuiet(view(kFrameSize))) {
      nextIsQuiet = false;
      ring.Skip(kFrameHop);
      DecideQuietFrame();
      continue;
    }
    const double* samples = view(kFrameSize + (count - 1) * kFrameHop);
    // The batch ends before the first frame that needs no transform.
    for (int32_t f = 1; f < count; ++f) {
      if (IsProvablyQuiet(samples + f * kFrameHop)) {
        count = f;
        nextIsQuiet = true;
        break;
      }
    }
    Spectrum.Magnitudes(samples, kFrameHop, count, magnitudes);
    for (int32_t f = 0; f < count; ++f) {
      ring.Skip(kFrameHop);
      const double* frameMagnitudes = magnitudes + f * Spectrum.Bins().size();
      if (!DecideFrame(samples + f * kFrameHop, kFrameSize, frameMagnitudes, sink)) return;
    }
  }
}

void DtmfDetector::AnalyseFrame(SampleRing& ring, DtmfHitSink& sink) {
  if (ring.Used() == 0) return;
  double frame[kFrameSize];
  const uint32_t copied = ring.Peek(frame, kFrameSize);
  std::memset(frame + copied, 0, (kFrameSize - copied) * sizeof(double));
  ring.Skip(kFrameHop);
  double magnitudes[kFrameSize];
  Spectrum.Magnitudes(frame, 0, 1, magnitudes);
  DecideFrame(frame, copied, magnitudes, sink);
}

bool DtmfDetector::IsProvablyQuiet(const double* frame) const {
  // strength * 0.5 never exceeds the larger of the two peaks, nor any bound on the bins.
  return Spectrum.MagnitudeBound(frame) < Threshold;
}

void DtmfDetector::Clear() {
  ClearHitCounts();
  Reported = 0;
}

void DtmfDetector::DecideQuietFrame() {
  ++framesDecided_;
  if (LastRow >= 0) Clear();
}

bool DtmfDetector::DecideFrame(const double* frame, uint32_t frameLength, const double* magnitudes,
                               DtmfHitSink& sink) {
  const uint64_t frameIndex = framesDecided_++;
  if (LastRow < 0) return true;
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
    Clear();
    return true;
  }

  HitCounts[symbol] += 1;
  int32_t countingRows = 0;
  for (int32_t r = 0; r <= LastRow; ++r) {
    if (HitCounts[r] >= 1) ++countingRows;
  }
  if (countingRows >= 2) {
    Clear();
    return true;
  }
  if (HitCounts[symbol] < table[symbol].MinFrames) return true;
  if (symbol != LastKeyRow) Reported = 0;
  if (Reported) return true;

  DtmfHit hit;
  hit.Frame = frameIndex;
  hit.KeyCode = static_cast<int16_t>(table[symbol].Key);
  hit.Level = static_cast<int16_t>(PeakLevel(frame, frameLength));
  hit.Strength = static_cast<int32_t>(strength * 5.0);
  // Recorded before the sink hears of it, so nothing it does inside can report it again.
  LastKeyRow = symbol;
  Reported = 1;
  ClearHitCounts();
  return sink.OnDtmfHit(hit);
}

}  // namespace tonvex

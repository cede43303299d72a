// The DTMF detector: fed samples of the line, it cuts them into overlapping frames, measures
// the table's bins and decides, frame by frame, which key is held; each key it reports goes to
// a sink. The control composes one; the tools and tests use it on its own.
#pragma once

#include <array>
#include <cstdint>

#include "bin_magnitudes.h"
#include "dtmf_table.h"
#include "line_format.h"
#include "sample_ring.h"

namespace tonvex {

constexpr int32_t kFrameHop = 85;  // samples from one frame to the next

struct DtmfHit {
  uint64_t Frame = 0;    // index of the reporting frame since the detector was armed
  int16_t KeyCode = 0;   // the key's character code
  int16_t Level = 0;     // peak distance of the frame's samples from the zero line
  int32_t Strength = 0;  // five times the sum of the two peak magnitudes
};

class DtmfHitSink {
 public:
  // False when the analysis must stop at once: the handler took the samples away.
  virtual bool OnDtmfHit(const DtmfHit& hit) = 0;

 protected:
  ~DtmfHitSink() = default;
};

class DtmfDetector {
 public:
  // Writes the module's table for the sample rate and plans the transform for its bins.
  explicit DtmfDetector(uint32_t sampleRate = kLineRate);

  // Fixes Threshold and LastRow for the frames to come, as a search start does.
  void Arm(int32_t sensitivity);
  void ClearHitCounts();

  // Any number of samples, in any pieces: every frame they complete is decided in order.
  void Feed(const double* samples, size_t count, DtmfHitSink& sink);
  // Decides frames while more than one frame of samples is queued, leaving the overlap.
  void AnalysePending(SampleRing& ring, DtmfHitSink& sink);
  // One frame from the ring's oldest samples, zero-padded when fewer are queued.
  void AnalyseFrame(SampleRing& ring, DtmfHitSink& sink);

  // Decision state, kept between searches except the counts.
  int32_t LastRow = 0;
  std::array<int32_t, kDtmfTableRows> HitCounts{};
  int32_t Reported = 0;
  int32_t LastKeyRow = 99;
  double Threshold = 0.0;
  BinMagnitudes Spectrum;  // the transform, run for the bins the table reads

 private:
  // False when the sink stopped the analysis.
  bool DecideFrame(const double* frame, uint32_t frameLength, const double* magnitudes,
                   DtmfHitSink& sink);
  // What DecideFrame does with a frame whose peaks cannot reach the threshold.
  bool IsProvablyQuiet(const double* frame) const;
  void DecideQuietFrame();
  void Clear();

  // Index into the spectrum's bins of each row's low and high bin.
  std::array<int32_t, kDtmfTableRows> lowBinIndex_{};
  std::array<int32_t, kDtmfTableRows> highBinIndex_{};
  uint64_t framesDecided_ = 0;
  SampleRing fed_;  // what Feed was given beyond the last whole frame
};

}  // namespace tonvex

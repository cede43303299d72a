// Throughput of the frame analysis, as frames per second and as a multiple of real time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "bin_magnitudes.h"
#include "dtmf_detector.h"
#include "fft.h"

namespace {

constexpr double kSampleRate = tonvex::kLineRate;
constexpr double kFramesPerSecondOfAudio = kSampleRate / tonvex::kFrameHop;

// A dial-like line: 100 ms tone pairs and 100 ms gaps over a little noise, 8-bit.
std::vector<double> MakeLine(size_t samples) {
  const double pairs[][2] = {{697, 1209}, {770, 1336}, {852, 1477}, {941, 1633}, {941, 1336}};
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0.0, 1.5);
  std::vector<double> line(samples);
  for (size_t i = 0; i < samples; ++i) {
    const size_t step = i / 1102;
    double value = 128.0 + noise(random);
    if (step % 2 == 0) {
      const double* pair = pairs[(step / 2) % 5];
      const double t = i / kSampleRate;
      value += 30.0 * std::sin(2 * M_PI * pair[0] * t) + 30.0 * std::sin(2 * M_PI * pair[1] * t);
    }
    line[i] = std::round(std::fmin(255.0, std::fmax(0.0, value)));
  }
  return line;
}

void SetRealTimeCounters(benchmark::State& state, int64_t frames) {
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["x_realtime"] = benchmark::Counter(
      static_cast<double>(frames) / kFramesPerSecondOfAudio, benchmark::Counter::kIsRate);
}

const std::vector<int32_t> kTableBins = {22, 31, 16, 28, 34, 18, 20, 38, 9};

// The straightforward way: the whole transform, then the table's magnitudes.
void BM_FullTransformFrame(benchmark::State& state) {
  const std::vector<double> line = MakeLine(1 << 16);
  tonvex::Fft fft;
  double re[256], im[256], magnitudes[9];
  size_t offset = 0;
  for (auto _ : state) {
    for (int i = 0; i < 256; ++i) {
      re[i] = line[offset + i];
      im[i] = 0.0;
    }
    fft.Transform(re, im, 8, -1.0);
    for (int b = 0; b < 9; ++b) {
      magnitudes[b] =
          std::sqrt(re[kTableBins[b]] * re[kTableBins[b]] + im[kTableBins[b]] * im[kTableBins[b]]);
    }
    benchmark::DoNotOptimize(magnitudes);
    offset = (offset + 85) % (line.size() - 256);
  }
  SetRealTimeCounters(state, state.iterations());
}
BENCHMARK(BM_FullTransformFrame);

void BM_BinMagnitudesFrame(benchmark::State& state) {
  const std::vector<double> line = MakeLine(1 << 16);
  tonvex::BinMagnitudes spectrum;
  spectrum.Plan(kTableBins);
  double magnitudes[9];
  size_t offset = 0;
  for (auto _ : state) {
    spectrum.Magnitudes(line.data() + offset, 0, 1, magnitudes);
    benchmark::DoNotOptimize(magnitudes);
    offset = (offset + 85) % (line.size() - 256);
  }
  SetRealTimeCounters(state, state.iterations());
}
BENCHMARK(BM_BinMagnitudesFrame);

struct CountingSink : tonvex::DtmfHitSink {
  bool OnDtmfHit(const tonvex::DtmfHit&) override {
    ++events;
    return true;
  }
  int events = 0;
};

// The whole analysis as a search tick runs it: ring, frames and decisions.
void BM_AnalysePending(benchmark::State& state) {
  const std::vector<double> line = MakeLine(tonvex::kCaptureSamples);
  CountingSink sink;
  tonvex::DtmfDetector detector;
  detector.Arm(50);
  tonvex::SampleRing ring;
  ring.Allocate(tonvex::kCaptureSamples);
  int64_t frames = 0;
  size_t offset = 0;
  for (auto _ : state) {
    const uint32_t before = ring.Used();
    ring.Push(line.data() + offset, 1102);
    detector.AnalysePending(ring, sink);
    frames += (before + 1102 - ring.Used()) / tonvex::kFrameHop;
    offset = (offset + 1102) % (line.size() - 1102);
  }
  state.counters["events"] = sink.events;
  SetRealTimeCounters(state, frames);
}
BENCHMARK(BM_AnalysePending);

}  // namespace

BENCHMARK_MAIN();

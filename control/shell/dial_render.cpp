#include "dial_render.h"

#include "dtmf_playback.h"
#include "sample_collector.h"
#include "tone_images.h"

namespace tonvex {
namespace {

size_t FirstInvalidPosition(const std::string& symbols) {
  for (size_t i = 0; i < symbols.size(); ++i) {
    if (FindToneSymbol(symbols[i]) < 0) return i + 1;
  }
  return 0;
}

}  // namespace

uint32_t GapSamples(uint32_t gapMs) {
  return static_cast<uint32_t>((static_cast<uint64_t>(gapMs) * kLineRate + 500) / 1000);
}

DialOutcome RenderDial(const std::string& symbols, uint32_t gapSamples) {
  const PlayDtmfGate running{};
  SampleCollector collector;
  DialOutcome outcome;
  if (gapSamples == 0) {
    outcome.ok = PlayDtmf(running, symbols, collector, outcome.ErrorMsg);
  } else {
    outcome.ok = true;
    for (size_t i = 0; i < symbols.size() && outcome.ok; ++i) {
      if (i > 0) collector.AppendSilence(gapSamples);
      outcome.ok = PlayDtmf(running, symbols.substr(i, 1), collector, outcome.ErrorMsg);
    }
  }
  if (!outcome.ok) {
    outcome.failedPosition = FirstInvalidPosition(symbols);
    return outcome;
  }
  outcome.samples = collector.Samples();
  return outcome;
}

}  // namespace tonvex

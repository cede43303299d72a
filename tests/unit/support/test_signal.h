// Test signals: sums of tones on the 8-bit zero line, silence, noise, 8-bit quantisation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsignal {

constexpr double kRate = 11025.0;

struct Tone {
  double frequency;
  double amplitude;     // sample units
  bool cosine = false;  // start at the peak instead of at zero
};

// The frequency pair of a DTMF key ('0'-'9', 'A'-'D', '*', '#').
std::pair<double, double> KeyFrequencies(char key);

class Signal {
 public:
  // Tones summed on the zero line 128, each starting at phase zero (or at its peak).
  Signal& Tones(const std::vector<Tone>& tones, size_t samples);
  Signal& Key(char key, double amplitude, size_t samples);
  Signal& Silence(size_t samples, double value = 128.0);
  Signal& Noise(double deviation, uint32_t seed = 1);
  // Rounds to 8-bit codes, clipping at 0 and 255, as a sound card records.
  Signal& Quantise();

  const std::vector<double>& Samples() const { return samples_; }
  std::vector<uint8_t> Bytes() const;
  size_t size() const { return samples_.size(); }

 private:
  std::vector<double> samples_;
};

// Keys with tone and gap lengths in milliseconds, quantised.
std::vector<double> DialSequence(const std::string& keys, int toneMs, int gapMs,
                                 double amplitude = 40.0);

}  // namespace testsignal

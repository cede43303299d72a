#include "test_signal.h"

#include <cmath>
#include <random>
#include <stdexcept>

namespace testsignal {

std::pair<double, double> KeyFrequencies(char key) {
  const char* layout = "123A456B789C*0#D";
  const double low[] = {697, 770, 852, 941};
  const double high[] = {1209, 1336, 1477, 1633};
  for (int i = 0; i < 16; ++i) {
    if (layout[i] == key) return {low[i / 4], high[i % 4]};
  }
  throw std::invalid_argument(std::string("no DTMF key ") + key);
}

Signal& Signal::Tones(const std::vector<Tone>& tones, size_t samples) {
  for (size_t n = 0; n < samples; ++n) {
    double value = 128.0;
    for (const Tone& tone : tones) {
      const double phase = 2.0 * M_PI * tone.frequency * static_cast<double>(n) / kRate;
      value += tone.amplitude * (tone.cosine ? std::cos(phase) : std::sin(phase));
    }
    samples_.push_back(value);
  }
  return *this;
}

Signal& Signal::Key(char key, double amplitude, size_t samples) {
  const auto [low, high] = KeyFrequencies(key);
  return Tones({{low, amplitude}, {high, amplitude}}, samples);
}

Signal& Signal::Silence(size_t samples, double value) {
  samples_.insert(samples_.end(), samples, value);
  return *this;
}

Signal& Signal::Noise(double deviation, uint32_t seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0.0, deviation);
  for (double& sample : samples_) sample += noise(random);
  return *this;
}

Signal& Signal::Quantise() {
  for (double& sample : samples_) sample = std::fmin(255.0, std::fmax(0.0, std::round(sample)));
  return *this;
}

std::vector<uint8_t> Signal::Bytes() const {
  std::vector<uint8_t> bytes;
  for (double sample : samples_) {
    bytes.push_back(static_cast<uint8_t>(std::fmin(255.0, std::fmax(0.0, std::round(sample)))));
  }
  return bytes;
}

std::vector<double> DialSequence(const std::string& keys, int toneMs, int gapMs, double amplitude) {
  Signal signal;
  const size_t tone = static_cast<size_t>(toneMs * kRate / 1000);
  const size_t gap = static_cast<size_t>(gapMs * kRate / 1000);
  for (char key : keys) signal.Key(key, amplitude, tone).Silence(gap);
  return signal.Quantise().Samples();
}

}  // namespace testsignal

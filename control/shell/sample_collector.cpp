#include "sample_collector.h"

#include "wave_image.h"

namespace tonvex {

void SampleCollector::Play(int32_t, const uint8_t* image, uint32_t bytes) {
  WaveImageView view;
  if (!ParseWaveImage(image, bytes, view)) return;
  if (view.FormatTag != 1 || view.Channels != 1 || view.SamplesPerSec != kLineRate ||
      view.BitsPerSample != 8) {
    return;
  }
  samples_.insert(samples_.end(), view.Data, view.Data + view.DataBytes);
}

void SampleCollector::AppendSilence(uint32_t samples) {
  samples_.insert(samples_.end(), samples, kSilence);
}

}  // namespace tonvex

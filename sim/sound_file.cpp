#include "sound_file.h"

#include <samplerate.h>
#include <sndfile.h>

#include <cmath>
#include <memory>

namespace sim {
namespace {

constexpr int kLineRate = 11025;
constexpr sf_count_t kChunkFrames = 8192;

struct SndFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
struct ResamplerDeleter {
  void operator()(SRC_STATE* state) const { src_delete(state); }
};

void AppendQuantised(const float* samples, size_t count, std::vector<uint8_t>& out) {
  const size_t start = out.size();
  out.resize(start + count);
  for (size_t i = 0; i < count; ++i) out[start + i] = QuantiseToUnsigned8(samples[i]);
}

}  // namespace

uint8_t QuantiseToUnsigned8(double sample) {
  // Round half up; truncation of a non-negative value is its floor.
  const double code = sample * 128.0 + 128.5;
  if (!(code >= 0.0)) return 0;  // also NaN
  if (code >= 255.0) return 255;
  return static_cast<uint8_t>(code);
}

LineRecording ReadLineRecording(const std::string& path) {
  LineRecording result;
  SF_INFO info{};
  std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) {
    result.error = sf_strerror(nullptr);
    return result;
  }
  if (info.channels < 1 || info.samplerate < 1) {
    result.error = "the file has no audio channels";
    return result;
  }

  const bool resample = info.samplerate != kLineRate;
  std::unique_ptr<SRC_STATE, ResamplerDeleter> resampler;
  const double ratio = static_cast<double>(kLineRate) / info.samplerate;
  if (resample) {
    int error = 0;
    resampler.reset(src_new(SRC_SINC_MEDIUM_QUALITY, 1, &error));
    if (!resampler) {
      result.error = src_strerror(error);
      return result;
    }
  }

  if (info.frames > 0) result.samples.reserve(static_cast<size_t>(info.frames * ratio) + 16);
  std::vector<float> interleaved(kChunkFrames * info.channels);
  std::vector<float> mono(info.channels > 1 ? kChunkFrames : 0);
  std::vector<float> converted(static_cast<size_t>(kChunkFrames * ratio) + 64);
  for (;;) {
    const sf_count_t frames = sf_readf_float(file.get(), interleaved.data(), kChunkFrames);
    if (frames < 0) break;
    for (sf_count_t f = 0; info.channels > 1 && f < frames; ++f) {
      double sum = 0.0;
      for (int c = 0; c < info.channels; ++c) sum += interleaved[f * info.channels + c];
      mono[f] = static_cast<float>(sum / info.channels);
    }
    float* monoData = info.channels > 1 ? mono.data() : interleaved.data();
    const bool last = frames < kChunkFrames;
    if (!resample) {
      AppendQuantised(monoData, static_cast<size_t>(frames), result.samples);
    } else {
      SRC_DATA data{};
      data.data_in = monoData;
      data.input_frames = frames;
      data.src_ratio = ratio;
      data.end_of_input = last ? 1 : 0;
      // The resampler may hold input back; call until it has taken this chunk and, at the
      // end, given out everything.
      do {
        data.data_out = converted.data();
        data.output_frames = static_cast<long>(converted.size());
        if (const int error = src_process(resampler.get(), &data)) {
          result.error = src_strerror(error);
          result.samples.clear();
          return result;
        }
        AppendQuantised(converted.data(), static_cast<size_t>(data.output_frames_gen),
                        result.samples);
        data.data_in += data.input_frames_used;
        data.input_frames -= data.input_frames_used;
      } while (data.input_frames > 0 || (last && data.output_frames_gen > 0));
    }
    if (last) break;
  }
  if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
    result.error = sf_strerror(file.get());
    result.samples.clear();
  }
  return result;
}

}  // namespace sim

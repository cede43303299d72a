#include "sound_file.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "line_format.h"

namespace sim {
namespace {

constexpr int kLineRate = static_cast<int>(tonvex::kLineRate);
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

struct LineReader::Source {
  std::unique_ptr<SNDFILE, SndFileCloser> file;
  SF_INFO info{};
  // A file already in the line's format: its bytes are the samples, exactly what quantising
  // their float values would give back.
  bool raw = false;
  std::unique_ptr<SRC_STATE, ResamplerDeleter> resampler;
  double ratio = 1.0;
  std::vector<float> interleaved;
  std::vector<float> mono;
  std::vector<float> converted;
  bool ended = false;
};

uint8_t QuantiseToUnsigned8(double sample) {
  // Round half up; truncation of a non-negative value is its floor.
  const double code = sample * 128.0 + 128.5;
  if (!(code >= 0.0)) return 0;  // also NaN
  if (code >= 255.0) return 255;
  return static_cast<uint8_t>(code);
}

LineReader::LineReader() = default;
LineReader::~LineReader() = default;

bool LineReader::Open(const std::string& path) {
  auto source = std::make_unique<Source>();
  source->file.reset(sf_open(path.c_str(), SFM_READ, &source->info));
  if (!source->file) {
    error_ = sf_strerror(nullptr);
    return false;
  }
  const SF_INFO& info = source->info;
  if (info.channels < 1 || info.samplerate < 1) {
    error_ = "the file has no audio channels";
    return false;
  }
  source->raw = (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_U8 && info.channels == 1 &&
                info.samplerate == kLineRate;
  if (info.samplerate != kLineRate) {
    int error = 0;
    source->resampler.reset(src_new(SRC_SINC_MEDIUM_QUALITY, 1, &error));
    if (!source->resampler) {
      error_ = src_strerror(error);
      return false;
    }
    source->ratio = static_cast<double>(kLineRate) / info.samplerate;
  }
  source->interleaved.resize(kChunkFrames * info.channels);
  source->mono.resize(info.channels > 1 ? kChunkFrames : 0);
  source->converted.resize(static_cast<size_t>(kChunkFrames * source->ratio) + 64);
  source_ = std::move(source);
  return true;
}

size_t LineReader::LengthHint() const {
  if (!source_ || source_->info.frames <= 0 || source_->info.frames == SF_COUNT_MAX) return 0;
  return static_cast<size_t>(static_cast<double>(source_->info.frames) * source_->ratio) + 16;
}

uint64_t LineReader::ExactLength() const {
  if (!source_ || !source_->raw || source_->info.frames <= 0 ||
      source_->info.frames == SF_COUNT_MAX) {
    return 0;
  }
  return static_cast<uint64_t>(source_->info.frames);
}

size_t LineReader::Read(uint8_t* out, size_t count) {
  if (!source_) return 0;
  size_t done = 0;
  while (done < count) {
    if (pendingStart_ == pending_.size()) {
      pending_.clear();
      pendingStart_ = 0;
      if (source_->raw) {
        // Straight into the caller's buffer: no conversion, no copy.
        const size_t want = count - done;
        const sf_count_t got =
            sf_read_raw(source_->file.get(), out + done, static_cast<sf_count_t>(want));
        if (got <= 0) break;
        done += static_cast<size_t>(got);
        if (static_cast<size_t>(got) < want) break;
        continue;
      }
      if (!Refill()) break;
      continue;
    }
    const size_t take = std::min(count - done, pending_.size() - pendingStart_);
    std::copy_n(pending_.begin() + static_cast<ptrdiff_t>(pendingStart_), take, out + done);
    pendingStart_ += take;
    done += take;
  }
  if (sf_error(source_->file.get()) != SF_ERR_NO_ERROR) {
    error_ = sf_strerror(source_->file.get());
    source_.reset();
    return 0;
  }
  return done;
}

bool LineReader::Refill() {
  Source& source = *source_;
  if (source.ended) return false;
  const int channels = source.info.channels;
  const sf_count_t frames =
      sf_readf_float(source.file.get(), source.interleaved.data(), kChunkFrames);
  if (frames < 0) {
    source.ended = true;
    return false;
  }
  for (sf_count_t f = 0; channels > 1 && f < frames; ++f) {
    double sum = 0.0;
    for (int c = 0; c < channels; ++c) sum += source.interleaved[f * channels + c];
    source.mono[f] = static_cast<float>(sum / channels);
  }
  float* monoData = channels > 1 ? source.mono.data() : source.interleaved.data();
  const bool last = frames < kChunkFrames;
  if (last) source.ended = true;
  if (!source.resampler) {
    AppendQuantised(monoData, static_cast<size_t>(frames), pending_);
    return !pending_.empty() || !last;
  }
  SRC_DATA data{};
  data.data_in = monoData;
  data.input_frames = frames;
  data.src_ratio = source.ratio;
  data.end_of_input = last ? 1 : 0;
  // The resampler may hold input back; call until it has taken this chunk and, at the end,
  // given out everything.
  do {
    data.data_out = source.converted.data();
    data.output_frames = static_cast<long>(source.converted.size());
    if (const int error = src_process(source.resampler.get(), &data)) {
      error_ = src_strerror(error);
      source.ended = true;
      pending_.clear();
      return false;
    }
    AppendQuantised(source.converted.data(), static_cast<size_t>(data.output_frames_gen), pending_);
    data.data_in += data.input_frames_used;
    data.input_frames -= data.input_frames_used;
  } while (data.input_frames > 0 || (last && data.output_frames_gen > 0));
  return !pending_.empty() || !last;
}

LineRecording ReadLineRecording(const std::string& path) {
  LineReader reader;
  if (!reader.Open(path)) return LineRecording{{}, reader.Error()};
  return ReadLineRecording(reader);
}

LineRecording ReadLineRecording(LineReader& reader) {
  LineRecording result;
  constexpr size_t kPiece = 1 << 16;
  const std::string tooLong = "its line at 11025 Hz would hold more than " +
                              std::to_string(kMaxLineSamples >> 20) + " MiB of samples";
  // A file that says its length is refused before any work; one that does not, once it is
  // found to be too long.
  if (reader.LengthHint() > kMaxLineSamples) return LineRecording{{}, tooLong};
  result.samples.reserve(reader.LengthHint() + kPiece);
  for (;;) {
    const size_t start = result.samples.size();
    if (start > kMaxLineSamples) return LineRecording{{}, tooLong};
    result.samples.resize(start + kPiece);
    const size_t got = reader.Read(result.samples.data() + start, kPiece);
    result.samples.resize(start + got);
    if (got < kPiece) break;
  }
  if (!reader.Error().empty()) {
    result.error = reader.Error();
    result.samples.clear();
  }
  return result;
}

}  // namespace sim

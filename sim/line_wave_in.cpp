#include "line_wave_in.h"

#include <algorithm>

#include "line_format.h"
#include "sim_window.h"

namespace sim {
namespace {

constexpr uint32_t kSampleRate = tonvex::kLineRate;

}  // namespace

Micros TimeOfSamples(uint64_t samples) {
  return static_cast<Micros>((samples * kMicrosPerSecond + kSampleRate - 1) / kSampleRate);
}

uint64_t SamplesBetween(Micros from, Micros to) {
  if (to <= from) return 0;
  return static_cast<uint64_t>(to - from) * kSampleRate / kMicrosPerSecond;
}

LineWaveIn::LineWaveIn(EventLoop& loop, std::vector<uint8_t> recording)
    : loop_(loop), line_(std::move(recording)) {}

LineWaveIn::LineWaveIn(EventLoop& loop, const Line& line)
    : loop_(loop), liveLine_(&line), lineStarted_(true) {}

LineWaveIn::LineWaveIn(EventLoop& loop, const Line& recording, uint64_t length)
    : loop_(loop), liveLine_(&recording), liveLength_(length) {}

uint64_t LineWaveIn::LinePosition() const {
  return lineStarted_ ? SamplesBetween(lineStartTime_, loop_.Now()) : 0;
}

tonvex::MmResult LineWaveIn::Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) {
  if (open_) return tonvex::kMmAllocated;
  if (format.FormatTag != tonvex::kWaveFormatPcm || format.Channels != 1 ||
      format.SamplesPerSec != kSampleRate || format.BitsPerSample != 8) {
    return tonvex::kWaveErrBadFormat;
  }
  open_ = true;
  window_ = window;
  return tonvex::kMmNoError;
}

tonvex::MmResult LineWaveIn::PrepareHeader(tonvex::WaveHeader& header) {
  if (!open_) return tonvex::kMmInvalidHandle;
  if (!header.Data || header.BufferLength == 0) return tonvex::kMmError;
  prepared_ = &header;
  return tonvex::kMmNoError;
}

tonvex::MmResult LineWaveIn::AddBuffer(tonvex::WaveHeader& header) {
  if (!open_) return tonvex::kMmInvalidHandle;
  if (prepared_ != &header) return tonvex::kWaveErrUnprepared;
  if (queued_) return tonvex::kMmError;  // one buffer is all the control ever queues
  queued_ = &header;
  filled_ = 0;
  return tonvex::kMmNoError;
}

tonvex::MmResult LineWaveIn::Start() {
  if (!open_) return tonvex::kMmInvalidHandle;
  if (recording_) return tonvex::kMmNoError;
  recording_ = true;
  startTime_ = loop_.Now();
  if (!lineStarted_) {
    lineStarted_ = true;
    lineStartTime_ = startTime_;
  }
  startLineIndex_ = SamplesBetween(lineStartTime_, startTime_);
  if (queued_) {
    const uint64_t number = ++recordingNumber_;
    const uint32_t length = queued_->BufferLength;
    // The driver fills the buffer whatever the program is doing meanwhile.
    loop_.PostWorldAt(startTime_ + TimeOfSamples(length), [this, number, length] {
      if (number == recordingNumber_ && queued_) ReturnBuffer(length);
    });
  }
  return tonvex::kMmNoError;
}

uint32_t LineWaveIn::Recorded() const {
  if (!recording_ || !queued_) return filled_;
  return static_cast<uint32_t>(
      std::min<uint64_t>(SamplesBetween(startTime_, loop_.Now()), queued_->BufferLength));
}

tonvex::MmResult LineWaveIn::GetPosition(uint32_t& bytes) {
  if (!open_) return tonvex::kMmInvalidHandle;
  bytes = Recorded();
  FillTo(bytes);
  return tonvex::kMmNoError;
}

void LineWaveIn::FillTo(uint32_t position) {
  if (!queued_ || position <= filled_) return;
  if (liveLine_) {
    liveLine_->Read(startLineIndex_ + filled_, queued_->Data + filled_, position - filled_);
    filled_ = position;
    return;
  }
  const uint64_t first = std::min<uint64_t>(startLineIndex_ + filled_, line_.size());
  const uint64_t end = std::min<uint64_t>(startLineIndex_ + position, line_.size());
  uint8_t* out = std::copy(line_.begin() + first, line_.begin() + end, queued_->Data + filled_);
  std::fill(out, queued_->Data + position, kSilence);
  filled_ = position;
}

void LineWaveIn::ReturnBuffer(uint32_t bytesRecorded) {
  FillTo(bytesRecorded);
  queued_ = nullptr;
  recording_ = false;
  ++recordingNumber_;
  SimWindow::PostAt(loop_, loop_.Now(), window_,
                    WindowMessage{WindowMessage::Kind::WaveInData, bytesRecorded});
}

tonvex::MmResult LineWaveIn::Reset() {
  if (!open_) return tonvex::kMmInvalidHandle;
  if (queued_) ReturnBuffer(Recorded());
  recording_ = false;
  return tonvex::kMmNoError;
}

tonvex::MmResult LineWaveIn::UnprepareHeader(tonvex::WaveHeader& header) {
  if (!open_) return tonvex::kMmInvalidHandle;
  if (queued_ == &header) return tonvex::kWaveErrStillPlaying;
  if (prepared_ == &header) prepared_ = nullptr;
  return tonvex::kMmNoError;
}

tonvex::MmResult LineWaveIn::Close() {
  if (!open_) return tonvex::kMmInvalidHandle;
  if (queued_) return tonvex::kWaveErrStillPlaying;
  open_ = false;
  recording_ = false;
  prepared_ = nullptr;
  return tonvex::kMmNoError;
}

}  // namespace sim

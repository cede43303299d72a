// A sound card whose input is a telephone line in virtual time.
#pragma once

#include <cstdint>
#include <vector>

#include "event_loop.h"
#include "wave_in.h"

namespace sim {

// What the line carries: sample i is the one heard i samples after virtual time 0.
class Line {
 public:
  virtual ~Line() = default;
  virtual void Read(uint64_t first, uint8_t* out, size_t count) const = 0;
};

class LineWaveIn : public tonvex::WaveIn {
 public:
  static constexpr uint8_t kSilence = 128;

  // A recording that starts playing when the device first starts, followed by silence.
  LineWaveIn(EventLoop& loop, std::vector<uint8_t> recording);
  // A line that plays on the loop's clock from time 0, heard only while the device records.
  // The line is not owned and must outlive the device.
  LineWaveIn(EventLoop& loop, const Line& line);
  // A recording of `length` samples read from a line as it plays, which starts when the device
  // first starts: the first constructor without holding the whole recording.
  LineWaveIn(EventLoop& loop, const Line& recording, uint64_t length);

  tonvex::MmResult Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) override;
  tonvex::MmResult PrepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult AddBuffer(tonvex::WaveHeader& header) override;
  tonvex::MmResult Start() override;
  tonvex::MmResult GetPosition(uint32_t& bytes) override;
  tonvex::MmResult Reset() override;
  tonvex::MmResult UnprepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult Close() override;

  // Whether the line has started playing, and how far it has played, in samples.
  bool LineStarted() const { return lineStarted_; }
  uint64_t LinePosition() const;
  uint64_t LineLength() const { return liveLine_ ? liveLength_ : line_.size(); }
  Micros LineStartTime() const { return lineStartTime_; }

 private:
  uint32_t Recorded() const;
  // Copies the line into the queued buffer up to the current position.
  void FillTo(uint32_t position);
  // Hands the queued buffer back to the window with what it holds.
  void ReturnBuffer(uint32_t bytesRecorded);

  EventLoop& loop_;  // not owned
  std::vector<uint8_t> line_;
  const Line* liveLine_ = nullptr;  // not owned
  uint64_t liveLength_ = 0;
  bool open_ = false;
  tonvex::WindowHandle window_ = 0;
  tonvex::WaveHeader* prepared_ = nullptr;  // not owned: the device's header
  tonvex::WaveHeader* queued_ = nullptr;
  bool recording_ = false;
  Micros startTime_ = 0;
  uint64_t startLineIndex_ = 0;  // line sample at the first byte of the buffer
  uint32_t filled_ = 0;
  uint64_t recordingNumber_ = 0;  // tells a scheduled buffer-full from a stale one
  bool lineStarted_ = false;
  Micros lineStartTime_ = 0;
};

// Samples of the line elapsed between two instants of virtual time.
uint64_t SamplesBetween(Micros from, Micros to);
// First instant, after the line started, by which `samples` samples have played.
Micros TimeOfSamples(uint64_t samples);

}  // namespace sim

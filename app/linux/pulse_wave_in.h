// The WaveIn port over a PulseAudio record stream from the source the client configuration
// chooses (PULSE_SOURCE, default-source, or the server's default). PulseAudio's own thread fills
// the queued buffer; the buffer comes back to the callback window through GLib's default main
// context, as winmm posts MM_WIM_DATA to it.
#pragma once

#include <pulse/pulseaudio.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "wave_in.h"

namespace dorvane::linux_host {

class PulseWaveIn : public tonvex::WaveIn {
 public:
  // Runs on the main context with the window given to Open and the bytes recorded into the
  // buffer, full or cut short by Reset or by the server going away.
  using BufferReturned = std::function<void(tonvex::WindowHandle window, uint32_t bytes)>;

  explicit PulseWaveIn(BufferReturned bufferReturned);
  ~PulseWaveIn() override;
  PulseWaveIn(const PulseWaveIn&) = delete;
  PulseWaveIn& operator=(const PulseWaveIn&) = delete;

  // kMmBadDeviceId when there is no server or no source to record from.
  tonvex::MmResult Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) override;
  tonvex::MmResult PrepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult AddBuffer(tonvex::WaveHeader& header) override;
  tonvex::MmResult Start() override;
  tonvex::MmResult GetPosition(uint32_t& bytes) override;
  tonvex::MmResult Reset() override;
  tonvex::MmResult UnprepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult Close() override;

 private:
  // Ends the stream and the connection, and stops PulseAudio's thread.
  void Teardown();
  // These run with the threaded main loop locked.
  void Record(const uint8_t* data, size_t bytes);
  void ReturnBuffer();
  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnReadable(pa_stream* stream, size_t bytes, void* self);

  // Notifications still on their way hold it weakly: none runs after the port is gone.
  std::shared_ptr<const BufferReturned> returns_;
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  tonvex::WindowHandle window_ = 0;
  tonvex::WaveHeader* prepared_ = nullptr;  // not owned: the device's header
  tonvex::WaveHeader* queued_ = nullptr;
  uint32_t filled_ = 0;
  uint32_t position_ = 0;  // bytes recorded since Start
  bool recording_ = false;
  uint8_t silence_ = 128;  // the sample value of a gap in the recording
};

}  // namespace dorvane::linux_host

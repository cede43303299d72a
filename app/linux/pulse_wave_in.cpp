#include "pulse_wave_in.h"

#include <glib.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace dorvane::linux_host {
namespace {

// How much the server gathers before handing it over: the control reads every 100 ms.
constexpr pa_usec_t kFragmentUsec = 50 * 1000;

bool SupportedFormat(const tonvex::PcmFormat& format) {
  return format.FormatTag == tonvex::kWaveFormatPcm && format.Channels >= 1 &&
         format.Channels <= 2 && (format.BitsPerSample == 8 || format.BitsPerSample == 16) &&
         format.SamplesPerSec > 0 &&
         format.BlockAlign == format.Channels * format.BitsPerSample / 8;
}

// Drops a finished operation; the results the port needs come through the callbacks.
void Forget(pa_operation* operation) {
  if (operation) pa_operation_unref(operation);
}

struct ReturnedBuffer {
  std::weak_ptr<const PulseWaveIn::BufferReturned> returns;
  tonvex::WindowHandle window;
  uint32_t bytes;
};

}  // namespace

PulseWaveIn::PulseWaveIn(BufferReturned bufferReturned)
    : returns_(std::make_shared<const BufferReturned>(std::move(bufferReturned))) {}

PulseWaveIn::~PulseWaveIn() {
  if (!loop_) return;
  pa_threaded_mainloop_lock(loop_);
  queued_ = nullptr;
  pa_threaded_mainloop_unlock(loop_);
  Teardown();
}

tonvex::MmResult PulseWaveIn::Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) {
  if (loop_) return tonvex::kMmAllocated;
  if (!SupportedFormat(format)) return tonvex::kWaveErrBadFormat;
  const pa_sample_spec sampleFormat = {format.BitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE,
                                       format.SamplesPerSec, static_cast<uint8_t>(format.Channels)};
  if (!pa_sample_spec_valid(&sampleFormat)) return tonvex::kWaveErrBadFormat;
  silence_ = format.BitsPerSample == 8 ? 128 : 0;

  loop_ = pa_threaded_mainloop_new();
  if (!loop_) return tonvex::kMmNoDriver;
  if (pa_threaded_mainloop_start(loop_) < 0) {
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    return tonvex::kMmNoDriver;
  }
  pa_threaded_mainloop_lock(loop_);
  bool ready = false;
  context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Dorvane");
  if (context_) {
    pa_context_set_state_callback(context_, &PulseWaveIn::OnContextState, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
      pa_context_state_t state;
      while ((state = pa_context_get_state(context_)) != PA_CONTEXT_READY &&
             PA_CONTEXT_IS_GOOD(state)) {
        pa_threaded_mainloop_wait(loop_);
      }
      ready = state == PA_CONTEXT_READY;
    }
  }
  if (ready && (stream_ = pa_stream_new(context_, "Line", &sampleFormat, nullptr)) != nullptr) {
    pa_stream_set_state_callback(stream_, &PulseWaveIn::OnStreamState, this);
    pa_stream_set_read_callback(stream_, &PulseWaveIn::OnReadable, this);
    pa_buffer_attr attributes = {};
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.tlength = attributes.prebuf = attributes.minreq = static_cast<uint32_t>(-1);
    attributes.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(kFragmentUsec, &sampleFormat));
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
    ready = pa_stream_connect_record(stream_, nullptr, &attributes, flags) >= 0;
    pa_stream_state_t state = PA_STREAM_UNCONNECTED;
    while (ready && (state = pa_stream_get_state(stream_)) != PA_STREAM_READY &&
           PA_STREAM_IS_GOOD(state)) {
      pa_threaded_mainloop_wait(loop_);
    }
    ready = state == PA_STREAM_READY;
  } else {
    ready = false;
  }
  pa_threaded_mainloop_unlock(loop_);
  if (!ready) {
    Teardown();
    return tonvex::kMmBadDeviceId;
  }
  window_ = window;
  return tonvex::kMmNoError;
}

void PulseWaveIn::Teardown() {
  pa_threaded_mainloop_lock(loop_);
  if (stream_) {
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
  }
  if (context_) {
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
  }
  pa_threaded_mainloop_unlock(loop_);
  pa_threaded_mainloop_stop(loop_);
  pa_threaded_mainloop_free(loop_);
  loop_ = nullptr;
  recording_ = false;
}

tonvex::MmResult PulseWaveIn::PrepareHeader(tonvex::WaveHeader& header) {
  if (!loop_) return tonvex::kMmInvalidHandle;
  if (!header.Data || header.BufferLength == 0) return tonvex::kMmError;
  prepared_ = &header;
  return tonvex::kMmNoError;
}

tonvex::MmResult PulseWaveIn::AddBuffer(tonvex::WaveHeader& header) {
  if (!loop_) return tonvex::kMmInvalidHandle;
  if (prepared_ != &header) return tonvex::kWaveErrUnprepared;
  pa_threaded_mainloop_lock(loop_);
  const bool busy = queued_ != nullptr;  // one buffer is all the control ever queues
  if (!busy) {
    queued_ = &header;
    filled_ = 0;
  }
  pa_threaded_mainloop_unlock(loop_);
  return busy ? tonvex::kMmError : tonvex::kMmNoError;
}

tonvex::MmResult PulseWaveIn::Start() {
  if (!loop_) return tonvex::kMmInvalidHandle;
  pa_threaded_mainloop_lock(loop_);
  const bool alive = pa_stream_get_state(stream_) == PA_STREAM_READY;
  if (!alive) {
    // The server went away since the device was opened: the buffer comes back empty at once,
    // so that the control closes the device and finds out when it opens it again.
    if (queued_) ReturnBuffer();
  } else if (!recording_) {
    recording_ = true;
    position_ = 0;
    Forget(pa_stream_cork(stream_, 0, nullptr, nullptr));
  }
  pa_threaded_mainloop_unlock(loop_);
  return alive ? tonvex::kMmNoError : tonvex::kMmError;
}

tonvex::MmResult PulseWaveIn::GetPosition(uint32_t& bytes) {
  if (!loop_) return tonvex::kMmInvalidHandle;
  pa_threaded_mainloop_lock(loop_);
  bytes = position_;
  pa_threaded_mainloop_unlock(loop_);
  return tonvex::kMmNoError;
}

tonvex::MmResult PulseWaveIn::Reset() {
  if (!loop_) return tonvex::kMmInvalidHandle;
  pa_threaded_mainloop_lock(loop_);
  if (queued_) ReturnBuffer();
  recording_ = false;
  position_ = 0;
  if (pa_stream_get_state(stream_) == PA_STREAM_READY) {
    Forget(pa_stream_cork(stream_, 1, nullptr, nullptr));
    Forget(pa_stream_flush(stream_, nullptr, nullptr));
  }
  pa_threaded_mainloop_unlock(loop_);
  return tonvex::kMmNoError;
}

tonvex::MmResult PulseWaveIn::UnprepareHeader(tonvex::WaveHeader& header) {
  if (!loop_) return tonvex::kMmInvalidHandle;
  pa_threaded_mainloop_lock(loop_);
  const bool queued = queued_ == &header;
  pa_threaded_mainloop_unlock(loop_);
  if (queued) return tonvex::kWaveErrStillPlaying;
  if (prepared_ == &header) prepared_ = nullptr;
  return tonvex::kMmNoError;
}

tonvex::MmResult PulseWaveIn::Close() {
  if (!loop_) return tonvex::kMmInvalidHandle;
  pa_threaded_mainloop_lock(loop_);
  const bool queued = queued_ != nullptr;
  pa_threaded_mainloop_unlock(loop_);
  if (queued) return tonvex::kWaveErrStillPlaying;
  Teardown();
  prepared_ = nullptr;
  window_ = 0;
  return tonvex::kMmNoError;
}

void PulseWaveIn::Record(const uint8_t* data, size_t bytes) {
  if (!recording_ || !queued_) return;
  const uint32_t taken =
      static_cast<uint32_t>(std::min<size_t>(bytes, queued_->BufferLength - filled_));
  uint8_t* out = queued_->Data + filled_;
  if (data) {
    std::memcpy(out, data, taken);
  } else {
    std::memset(out, silence_, taken);
  }
  filled_ += taken;
  position_ += taken;
  if (filled_ == queued_->BufferLength) ReturnBuffer();
}

void PulseWaveIn::ReturnBuffer() {
  const uint32_t bytes = filled_;
  queued_ = nullptr;
  recording_ = false;
  // Nothing is recorded until the next buffer starts: the server need not wake this thread.
  if (pa_stream_get_state(stream_) == PA_STREAM_READY) {
    Forget(pa_stream_cork(stream_, 1, nullptr, nullptr));
  }
  if (window_ == 0) return;
  auto* returned = new ReturnedBuffer{returns_, window_, bytes};
  g_idle_add_full(
      G_PRIORITY_DEFAULT,
      [](gpointer data) -> gboolean {
        const auto& buffer = *static_cast<ReturnedBuffer*>(data);
        if (const auto returns = buffer.returns.lock()) {
          if (*returns) (*returns)(buffer.window, buffer.bytes);
        }
        return G_SOURCE_REMOVE;
      },
      returned, [](gpointer data) { delete static_cast<ReturnedBuffer*>(data); });
}

void PulseWaveIn::OnContextState(pa_context*, void* self) {
  pa_threaded_mainloop_signal(static_cast<PulseWaveIn*>(self)->loop_, 0);
}

void PulseWaveIn::OnStreamState(pa_stream* stream, void* self) {
  auto& port = *static_cast<PulseWaveIn*>(self);
  // A server that dies hands back what was recorded, as a driver does with a device pulled.
  if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)) && port.queued_) port.ReturnBuffer();
  pa_threaded_mainloop_signal(port.loop_, 0);
}

void PulseWaveIn::OnReadable(pa_stream* stream, size_t, void* self) {
  auto& port = *static_cast<PulseWaveIn*>(self);
  const void* data = nullptr;
  size_t bytes = 0;
  while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0) {
    if (bytes == 0) break;
    port.Record(static_cast<const uint8_t*>(data), bytes);  // null data: a gap
    pa_stream_drop(stream);
  }
}

}  // namespace dorvane::linux_host

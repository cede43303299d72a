// Port: the platform's wave-input calls, with their results.
#pragma once

#include <cstdint>
#include <memory>

namespace tonvex {

using WindowHandle = uintptr_t;  // 0: no window
using MmResult = uint32_t;
constexpr MmResult kMmNoError = 0;
constexpr MmResult kMmError = 1;               // MMSYSERR_ERROR
constexpr MmResult kMmBadDeviceId = 2;         // MMSYSERR_BADDEVICEID
constexpr MmResult kMmAllocated = 4;           // MMSYSERR_ALLOCATED: device busy
constexpr MmResult kMmInvalidHandle = 5;       // MMSYSERR_INVALHANDLE
constexpr MmResult kMmNoDriver = 6;            // MMSYSERR_NODRIVER
constexpr MmResult kWaveErrBadFormat = 32;     // WAVERR_BADFORMAT
constexpr MmResult kWaveErrStillPlaying = 33;  // WAVERR_STILLPLAYING
constexpr MmResult kWaveErrUnprepared = 34;    // WAVERR_UNPREPARED

// WAVEFORMAT followed by the bits-per-sample word.
struct PcmFormat {
  uint16_t FormatTag = 0;
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint32_t AvgBytesPerSec = 0;
  uint16_t BlockAlign = 0;
  uint16_t BitsPerSample = 0;
};
constexpr uint16_t kWaveFormatPcm = 1;

// The fields of the buffer header the engine fills; the adapter keeps the platform's own.
struct WaveHeader {
  uint8_t* Data = nullptr;
  uint32_t BufferLength = 0;
  uint32_t Flags = 0;
  uint32_t Loops = 0;
};

// One wave-input device slot. The buffer-returned notification (MM_WIM_DATA) is posted to the
// callback window and carries the number of bytes recorded into the buffer.
class WaveIn {
 public:
  virtual ~WaveIn() = default;

  // Opens any suitable device (WAVE_MAPPER); notifications go to callbackWindow unless it is 0.
  virtual MmResult Open(const PcmFormat& format, WindowHandle callbackWindow) = 0;
  virtual MmResult PrepareHeader(WaveHeader& header) = 0;
  virtual MmResult AddBuffer(WaveHeader& header) = 0;
  virtual MmResult Start() = 0;
  // Bytes recorded since Start.
  virtual MmResult GetPosition(uint32_t& bytes) = 0;
  virtual MmResult Reset() = 0;
  virtual MmResult UnprepareHeader(WaveHeader& header) = 0;
  virtual MmResult Close() = 0;

  // Capture memory comes through the port so that a device adapter can place it where its
  // driver wants it, and a test can refuse it. Null when it cannot be obtained.
  virtual std::unique_ptr<uint8_t[]> AllocateBuffer(uint32_t bytes);
};

}  // namespace tonvex

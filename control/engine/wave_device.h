// The wave-input device record: format, capture buffer and device state over the WaveIn port.
#pragma once

#include <cstdint>
#include <memory>

#include "wave_in.h"

namespace tonvex {

// Operations return 1 on success and 0 on failure.
class WaveDevice {
 public:
  explicit WaveDevice(WaveIn& port) : port_(port) {}
  ~WaveDevice();
  WaveDevice(const WaveDevice&) = delete;
  WaveDevice& operator=(const WaveDevice&) = delete;

  void SetFormat(uint32_t rate, uint16_t channels, uint16_t bits, WindowHandle window);
  int AllocBuffer(uint32_t samples);
  void FreeBuffer();
  uint8_t* LockBuffer();
  void UnlockBuffer();
  int OpenInput();
  int StartInput();
  void StopInput();
  void CloseInput();
  uint32_t InputPosition();

  const PcmFormat& Format() const { return Format_; }
  uint32_t BufferBytes() const { return BufferBytes_; }
  bool IsOpen() const { return InputOpen; }
  bool IsStarted() const { return InputStarted; }

 private:
  WaveIn& port_;  // not owned
  WindowHandle CallbackWindow = 0;
  std::unique_ptr<uint8_t[]> BufferMemory;
  uint8_t* BufferData = nullptr;
  WaveHeader Header;
  bool InputOpen = false;
  bool InputStarted = false;
  PcmFormat Format_;
  uint32_t BufferBytes_ = 0;
  uint32_t SavedPosition = 0;
  bool InputStopped = false;
};

}  // namespace tonvex

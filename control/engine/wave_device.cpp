#include "wave_device.h"

namespace tonvex {

WaveDevice::~WaveDevice() {
  CloseInput();
  FreeBuffer();
}

void WaveDevice::SetFormat(uint32_t rate, uint16_t channels, uint16_t bits, WindowHandle window) {
  Format_.FormatTag = kWaveFormatPcm;
  Format_.Channels = channels;
  Format_.SamplesPerSec = rate;
  Format_.BlockAlign = static_cast<uint16_t>((bits / 8) * channels);
  Format_.AvgBytesPerSec = Format_.BlockAlign * rate;
  Format_.BitsPerSample = bits;
  CallbackWindow = window;
}

int WaveDevice::AllocBuffer(uint32_t samples) {
  if (Format_.BitsPerSample == 0) return 0;
  FreeBuffer();
  const uint64_t bytes = uint64_t{Format_.BlockAlign} * samples;
  if (bytes == 0 || bytes > UINT32_MAX) return 0;
  BufferMemory = port_.AllocateBuffer(static_cast<uint32_t>(bytes));
  if (!BufferMemory) return 0;
  BufferBytes_ = static_cast<uint32_t>(bytes);
  return 1;
}

void WaveDevice::FreeBuffer() {
  CloseInput();
  UnlockBuffer();
  BufferMemory.reset();
  Header = WaveHeader{};
  BufferBytes_ = 0;
}

uint8_t* WaveDevice::LockBuffer() {
  if (!BufferMemory) return nullptr;
  if (!BufferData) BufferData = BufferMemory.get();
  return BufferData;
}

void WaveDevice::UnlockBuffer() { BufferData = nullptr; }

int WaveDevice::OpenInput() {
  if (!BufferMemory || BufferBytes_ == 0 || InputOpen) return 0;
  if (port_.Open(Format_, CallbackWindow) != kMmNoError) return 0;
  InputOpen = true;
  return 1;
}

int WaveDevice::StartInput() {
  if (!BufferMemory || BufferBytes_ == 0 || !InputOpen) return 0;
  if (!LockBuffer()) return 0;
  InputStopped = false;
  Header = WaveHeader{BufferData, BufferBytes_, 0, 0};
  if (port_.PrepareHeader(Header) != kMmNoError) return 0;
  if (port_.AddBuffer(Header) != kMmNoError) {
    port_.UnprepareHeader(Header);
    return 0;
  }
  InputStarted = true;
  port_.Start();
  return 1;
}

void WaveDevice::StopInput() {
  if (!InputOpen || !InputStarted) return;
  SavedPosition = InputPosition();
  port_.Reset();
  port_.UnprepareHeader(Header);
  InputStarted = false;
  InputStopped = true;
}

void WaveDevice::CloseInput() {
  if (InputOpen) {
    if (InputStarted) StopInput();
    port_.Close();
    InputOpen = false;
  }
  InputStopped = false;
}

uint32_t WaveDevice::InputPosition() {
  if (InputStopped) return SavedPosition;
  if (!InputStarted) return 0;
  uint32_t bytes = 0;
  if (port_.GetPosition(bytes) != kMmNoError) return 0;
  return bytes;
}

}  // namespace tonvex

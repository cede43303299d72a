#include "winmm_wave_in.h"

WinmmWaveIn::~WinmmWaveIn() {
  if (!handle_) return;
  waveInReset(handle_);
  waveInUnprepareHeader(handle_, &header_, sizeof header_);
  waveInClose(handle_);
}

tonvex::MmResult WinmmWaveIn::Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) {
  WAVEFORMATEX waveFormat = {};
  waveFormat.wFormatTag = format.FormatTag;
  waveFormat.nChannels = format.Channels;
  waveFormat.nSamplesPerSec = format.SamplesPerSec;
  waveFormat.nAvgBytesPerSec = format.AvgBytesPerSec;
  waveFormat.nBlockAlign = format.BlockAlign;
  waveFormat.wBitsPerSample = format.BitsPerSample;
  HWAVEIN handle = nullptr;
  const MMRESULT result = waveInOpen(&handle, WAVE_MAPPER, &waveFormat, window, 0,
                                     window ? CALLBACK_WINDOW : CALLBACK_NULL);
  if (result == MMSYSERR_NOERROR) handle_ = handle;
  return result;
}

tonvex::MmResult WinmmWaveIn::PrepareHeader(tonvex::WaveHeader& header) {
  header_ = WAVEHDR{};
  header_.lpData = reinterpret_cast<LPSTR>(header.Data);
  header_.dwBufferLength = header.BufferLength;
  header_.dwFlags = header.Flags;
  header_.dwLoops = header.Loops;
  return waveInPrepareHeader(handle_, &header_, sizeof header_);
}

tonvex::MmResult WinmmWaveIn::AddBuffer(tonvex::WaveHeader&) {
  return waveInAddBuffer(handle_, &header_, sizeof header_);
}

tonvex::MmResult WinmmWaveIn::Start() { return waveInStart(handle_); }

tonvex::MmResult WinmmWaveIn::GetPosition(uint32_t& bytes) {
  MMTIME time = {};
  time.wType = TIME_BYTES;
  const MMRESULT result = waveInGetPosition(handle_, &time, sizeof time);
  if (result != MMSYSERR_NOERROR) return result;
  // A driver that cannot count bytes answers in another unit; that is no position.
  if (time.wType != TIME_BYTES) return MMSYSERR_ERROR;
  bytes = time.u.cb;
  return MMSYSERR_NOERROR;
}

tonvex::MmResult WinmmWaveIn::Reset() { return waveInReset(handle_); }

tonvex::MmResult WinmmWaveIn::UnprepareHeader(tonvex::WaveHeader&) {
  return waveInUnprepareHeader(handle_, &header_, sizeof header_);
}

tonvex::MmResult WinmmWaveIn::Close() {
  const MMRESULT result = waveInClose(handle_);
  if (result == MMSYSERR_NOERROR) handle_ = nullptr;
  return result;
}

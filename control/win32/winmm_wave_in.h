// The WaveIn port over the waveIn functions of winmm.
#pragma once

#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include "wave_in.h"

class WinmmWaveIn : public tonvex::WaveIn {
 public:
  ~WinmmWaveIn() override;

  tonvex::MmResult Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) override;
  tonvex::MmResult PrepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult AddBuffer(tonvex::WaveHeader& header) override;
  tonvex::MmResult Start() override;
  tonvex::MmResult GetPosition(uint32_t& bytes) override;
  tonvex::MmResult Reset() override;
  tonvex::MmResult UnprepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult Close() override;

 private:
  HWAVEIN handle_ = nullptr;
  WAVEHDR header_ = {};  // the device writes into it while the buffer is queued
};

// A wave-input device whose position and results the test sets, and which logs every call.
#pragma once

#include <string>
#include <vector>

#include "wave_in.h"

class FakeWaveIn : public tonvex::WaveIn {
 public:
  tonvex::MmResult Open(const tonvex::PcmFormat& format, tonvex::WindowHandle window) override;
  tonvex::MmResult PrepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult AddBuffer(tonvex::WaveHeader& header) override;
  tonvex::MmResult Start() override;
  tonvex::MmResult GetPosition(uint32_t& bytes) override;
  tonvex::MmResult Reset() override;
  tonvex::MmResult UnprepareHeader(tonvex::WaveHeader& header) override;
  tonvex::MmResult Close() override;
  std::unique_ptr<uint8_t[]> AllocateBuffer(uint32_t bytes) override;

  // Calls in order, by name: "Open", "Prepare", "Add", "Start", "Reset", "Unprepare", "Close".
  std::string Log() const;
  void ClearLog() { calls.clear(); }

  tonvex::MmResult openResult = tonvex::kMmNoError;
  tonvex::MmResult prepareResult = tonvex::kMmNoError;
  tonvex::MmResult addResult = tonvex::kMmNoError;
  tonvex::MmResult positionResult = tonvex::kMmNoError;
  uint32_t position = 0;
  bool refuseMemory = false;

  bool open = false;
  tonvex::PcmFormat format;
  tonvex::WindowHandle window = 0;
  tonvex::WaveHeader* header = nullptr;  // not owned
  std::vector<std::string> calls;
};

// The control's engine: detection state, capture and the search run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bin_magnitudes.h"
#include "control_site.h"
#include "dtmf_table.h"
#include "sample_ring.h"
#include "wave_device.h"

namespace tonvex {

constexpr int32_t kFrameHop = 85;
constexpr uint32_t kTransferLag = 700;  // samples the transfer stays behind the device position
constexpr uint32_t kSearchTimerId = 1;
constexpr uint32_t kSearchTimerPeriodMs = 100;
constexpr int16_t kDtmfMode = 1;
constexpr int16_t kLevelMode = 0;

class CTonvexCtrl {
 public:
  // site and waveIn are not owned and must outlive the control.
  CTonvexCtrl(ControlSite& site, WaveIn& waveIn);
  // Stops a search still running, so no timer outlives the control; then the members go in
  // reverse order: the text, the device (recording stopped, buffer freed, closed), the ring.
  ~CTonvexCtrl();
  CTonvexCtrl(const CTonvexCtrl&) = delete;
  CTonvexCtrl& operator=(const CTonvexCtrl&) = delete;

  // Methods of the automation surface: toggles; false with ErrorMsg set when refused.
  bool SearchDtmf();
  bool SearchLevel();

  // Window and framework notifications.
  void OnTimer(uint32_t timerId);
  void OnWaveInData(uint32_t bytesRecorded);  // MM_WIM_DATA
  void OnWindowDestroyed();
  void OnEnabledChanged();
  void OnAmbientUserModeChanged();

  // Search start and stop, and their pieces.
  void StartSearch();
  void StopSearch();
  int PrepareCapture();
  void ReleaseCapture();
  void TransferSamples();
  void ProcessTick();
  // Fixes Threshold and LastRow for the frames to come, as a search start does.
  void ArmAnalysis();
  void AnalysePending();
  void AnalyseFrame();

  // State, in the order the control has always held it.
  uint32_t Consumed = 0;
  SampleRing Ring;
  int32_t LastRow = 0;
  std::array<int32_t, kDtmfTableRows> HitCounts{};
  int32_t Reported = 0;
  int32_t LastKeyRow = 99;
  int32_t Running = 0;
  BinMagnitudes Spectrum;  // the transform, run for the bins the table reads
  WaveDevice Device;
  uint32_t SampleRate = 11025;
  uint16_t Channels = 1;
  uint16_t BitsPerSample = 8;
  uint32_t CaptureSamples = 110250;
  uint8_t* CaptureData = nullptr;
  int32_t CaptureStarted = 0;
  int16_t SearchMode = kDtmfMode;
  int32_t Sensitivity = 50;
  int16_t MaxSecond = 10;
  double Threshold = 0.0;
  std::string ErrorMsg;
  bool Enabled = true;

 private:
  bool ToggleSearch(int16_t mode, const char* disabledText);
  void ClearHitCounts();
  // The decision on one frame, from its samples and its magnitudes at the spectrum's bins.
  void DecideFrame(const double* frame, uint32_t frameLength, const double* magnitudes);
  // What DecideFrame does with a frame whose peaks cannot reach the threshold.
  bool IsProvablyQuiet(const double* frame) const;
  void DecideQuietFrame();
  void FireError(const char* text);
  // Pushes capture samples [Consumed, end) into the ring; advances Consumed only if they fit.
  void PushCaptured(uint32_t end);

  ControlSite& site_;  // not owned
  // Index into the spectrum's bins of each row's low and high bin.
  std::array<int32_t, kDtmfTableRows> lowBinIndex_{};
  std::array<int32_t, kDtmfTableRows> highBinIndex_{};
  std::vector<double> scratch_;    // conversion buffer, kept across ticks
  uint32_t searchGeneration_ = 0;  // tells a tick that its search was stopped by a handler
  bool inTick_ = false;            // a tick is firing its events
};

}  // namespace tonvex

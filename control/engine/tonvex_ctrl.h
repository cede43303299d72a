// The control's engine: detection state, capture and the search run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "control_site.h"
#include "dtmf_detector.h"
#include "line_format.h"
#include "sample_ring.h"
#include "wave_device.h"

namespace tonvex {

constexpr uint32_t kTransferLag = 700;  // samples the transfer stays behind the device position
constexpr uint32_t kSearchTimerId = 1;
constexpr uint32_t kSearchTimerPeriodMs = 100;
constexpr int16_t kDtmfMode = 1;
constexpr int16_t kLevelMode = 0;

class CTonvexCtrl : private DtmfHitSink {
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
  void AnalysePending();
  void AnalyseFrame();

  // State, in the order the control has always held it.
  uint32_t Consumed = 0;
  SampleRing Ring;
  DtmfDetector Detector;  // LastRow, HitCounts, Reported, LastKeyRow, Threshold, the transform
  int32_t Running = 0;
  WaveDevice Device;
  uint32_t SampleRate = kLineRate;
  uint16_t Channels = kLineChannels;
  uint16_t BitsPerSample = kLineBits;
  uint32_t CaptureSamples = kCaptureSamples;
  uint8_t* CaptureData = nullptr;
  int32_t CaptureStarted = 0;
  int16_t SearchMode = kDtmfMode;
  int32_t Sensitivity = 50;
  int16_t MaxSecond = 10;
  std::string ErrorMsg;
  bool Enabled = true;

 private:
  bool ToggleSearch(int16_t mode, const char* disabledText);
  bool OnDtmfHit(const DtmfHit& hit) override;
  void FireError(const char* text);
  // Pushes capture samples [Consumed, end) into the ring; advances Consumed only if they fit.
  void PushCaptured(uint32_t end);

  ControlSite& site_;              // not owned
  std::vector<double> scratch_;    // conversion buffer, kept across ticks
  uint32_t searchGeneration_ = 0;  // tells a tick that its search was stopped by a handler
  bool inTick_ = false;            // a tick is firing its events
};

}  // namespace tonvex

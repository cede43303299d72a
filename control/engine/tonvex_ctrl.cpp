#include "tonvex_ctrl.h"

namespace tonvex {

CTonvexCtrl::CTonvexCtrl(ControlSite& site, WaveIn& waveIn) : Device(waveIn), site_(site) {}

CTonvexCtrl::~CTonvexCtrl() {
  if (Running) StopSearch();
}

void CTonvexCtrl::AnalysePending() { Detector.AnalysePending(Ring, *this); }

void CTonvexCtrl::AnalyseFrame() { Detector.AnalyseFrame(Ring, *this); }

bool CTonvexCtrl::OnDtmfHit(const DtmfHit& hit) {
  const uint32_t generation = searchGeneration_;
  site_.FireEvent(dispid::kDtmfHit,
                  {hit.KeyCode, hit.Level, hit.Strength, static_cast<int32_t>(Ring.Free())});
  // A DtmfHit handler may have stopped the search and released the ring.
  return generation == searchGeneration_;
}

void CTonvexCtrl::FireError(const char* text) {
  site_.FireEvent(dispid::kOnError, {std::string(text)});
}

}  // namespace tonvex

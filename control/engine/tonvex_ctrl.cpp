#include "tonvex_ctrl.h"

#include <algorithm>

namespace tonvex {

CTonvexCtrl::CTonvexCtrl(ControlSite& site, WaveIn& waveIn) : Device(waveIn), site_(site) {
  DtmfTableRows& table = DtmfTable();
  FillDtmfTable(table, SampleRate);

  // Each distinct bin of the active rows is transformed once per frame.
  std::vector<int32_t> bins;
  auto indexOf = [&bins](int32_t bin) {
    auto found = std::find(bins.begin(), bins.end(), bin);
    if (found != bins.end()) return static_cast<int32_t>(found - bins.begin());
    bins.push_back(bin);
    return static_cast<int32_t>(bins.size() - 1);
  };
  for (int32_t r = 0; r <= LastActiveRow(table); ++r) {
    lowBinIndex_[r] = indexOf(table[r].LowBin);
    highBinIndex_[r] = indexOf(table[r].HighBin);
  }
  Spectrum.Plan(bins);
}

CTonvexCtrl::~CTonvexCtrl() {
  if (Running) StopSearch();
}

void CTonvexCtrl::ClearHitCounts() { HitCounts.fill(0); }

void CTonvexCtrl::FireError(const char* text) {
  site_.FireEvent(dispid::kOnError, {std::string(text)});
}

}  // namespace tonvex

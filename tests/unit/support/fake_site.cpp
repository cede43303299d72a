#include "fake_site.h"

int32_t FiredEvent::Int(size_t i) const {
  if (const auto* v = std::get_if<int16_t>(&args.at(i))) return *v;
  return std::get<int32_t>(args.at(i));
}

std::string FiredEvent::Text(size_t i) const { return std::get<std::string>(args.at(i)); }

void FakeSite::FireEvent(int32_t dispid, const tonvex::EventArgs& args) {
  events.push_back(FiredEvent{dispid, args});
  if (onEvent) onEvent(events.back());
}

bool FakeSite::SetTimer(uint32_t id, uint32_t periodMs) {
  timerSet = true;
  timerId = id;
  timerPeriod = periodMs;
  return true;
}

void FakeSite::KillTimer(uint32_t id) {
  if (id == timerId) timerSet = false;
}

std::string FakeSite::Keys() const {
  std::string keys;
  for (const FiredEvent& event : events) {
    if (event.dispid == tonvex::dispid::kDtmfHit) keys += event.Key();
  }
  return keys;
}

std::vector<FiredEvent> FakeSite::Of(int32_t dispid) const {
  std::vector<FiredEvent> found;
  for (const FiredEvent& event : events) {
    if (event.dispid == dispid) found.push_back(event);
  }
  return found;
}

tonvex::WindowHandle FakeSite::CreateControlWindow() {
  ++windowsCreated;
  window = 0x5678 + static_cast<tonvex::WindowHandle>(windowsCreated);
  return window;
}

bool FakeSite::RequestEdit(int32_t dispid) {
  editRequests.push_back(dispid);
  return allowEdit;
}

// A container stand-in that records what the control asks of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control_site.h"

struct FiredEvent {
  int32_t dispid;
  tonvex::EventArgs args;

  int32_t Int(size_t i) const;
  std::string Text(size_t i) const;
  char Key() const { return static_cast<char>(Int(0)); }
};

class FakeSite : public tonvex::ControlSite {
 public:
  bool AmbientUserMode() const override { return userMode; }
  void FireEvent(int32_t dispid, const tonvex::EventArgs& args) override;
  tonvex::WindowHandle Window() const override { return window; }
  tonvex::WindowHandle CreateControlWindow() override;
  bool SetTimer(uint32_t id, uint32_t periodMs) override;
  void KillTimer(uint32_t id) override;
  void Invalidate() override { ++invalidated; }
  void SetModifiedFlag() override { ++modified; }
  bool RequestEdit(int32_t dispid) override;
  void PropertyChanged(int32_t dispid) override { changed.push_back(dispid); }
  void ShowAboutBox() override { ++aboutBoxes; }

  std::string Keys() const;
  std::vector<FiredEvent> Of(int32_t dispid) const;

  bool userMode = true;
  tonvex::WindowHandle window = 0x1234;
  std::vector<FiredEvent> events;
  std::function<void(const FiredEvent&)> onEvent;  // runs inside FireEvent, like a host handler
  bool timerSet = false;
  uint32_t timerId = 0;
  uint32_t timerPeriod = 0;
  int invalidated = 0;
  int windowsCreated = 0;
  int modified = 0;
  int aboutBoxes = 0;
  bool allowEdit = true;
  std::vector<int32_t> editRequests;
  std::vector<int32_t> changed;
};

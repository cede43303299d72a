// The container of the hosted tone-detector control on the main loop: its window is a handle
// without pixels (the form is hidden), its timers are main-loop timeouts, and the capture
// device's returned buffers reach it as the window's messages would.
#pragma once

#include <functional>
#include <map>

#include "control_site.h"
#include "tonvex_ctrl.h"

namespace dorvane::linux_host {

class LoopControlSite : public tonvex::ControlSite {
 public:
  using EventHandler = std::function<void(int32_t dispid, const tonvex::EventArgs& args)>;

  LoopControlSite() = default;
  ~LoopControlSite() override;
  LoopControlSite(const LoopControlSite&) = delete;
  LoopControlSite& operator=(const LoopControlSite&) = delete;

  // The control must outlive the attachment; null detaches it.
  void Attach(tonvex::CTonvexCtrl* control) { control_ = control; }
  void SetEventHandler(EventHandler handler) { handler_ = std::move(handler); }
  // A capture buffer came back with that many bytes recorded.
  void WaveInData(uint32_t bytesRecorded);
  // The form goes: the control's window with it.
  void DestroyWindow();

  bool AmbientUserMode() const override { return true; }
  void FireEvent(int32_t dispid, const tonvex::EventArgs& args) override;
  tonvex::WindowHandle Window() const override { return window_; }
  tonvex::WindowHandle CreateControlWindow() override;
  bool SetTimer(uint32_t id, uint32_t periodMs) override;
  void KillTimer(uint32_t id) override;
  void Invalidate() override {}
  void SetModifiedFlag() override {}
  bool RequestEdit(int32_t) override { return true; }
  void PropertyChanged(int32_t) override {}
  void ShowAboutBox() override {}

 private:
  struct Tick {
    LoopControlSite* site;
    uint32_t id;
  };
  static int OnTimeout(void* tick);

  tonvex::WindowHandle window_ = 0;
  tonvex::CTonvexCtrl* control_ = nullptr;  // not owned
  EventHandler handler_;
  std::map<uint32_t, std::pair<unsigned, Tick*>> timers_;  // id -> source, its data
};

}  // namespace dorvane::linux_host

// A container for one control on the simulated desktop: it gives the control its window,
// routes the window's messages to it and hands fired events to a handler.
#pragma once

#include <functional>
#include <memory>

#include "control_site.h"
#include "sim_window.h"
#include "tonvex_ctrl.h"

namespace sim {

class SimControlHost : public tonvex::ControlSite {
 public:
  using EventHandler = std::function<void(int32_t dispid, const tonvex::EventArgs& args)>;

  explicit SimControlHost(EventLoop& loop);
  ~SimControlHost() override;

  // Routes the window's messages to the control; the control must outlive the attachment.
  void Attach(tonvex::CTonvexCtrl* control) { control_ = control; }
  void SetEventHandler(EventHandler handler) { handler_ = std::move(handler); }
  void SetUserMode(bool userMode) { userMode_ = userMode; }
  SimWindow& HostWindow() { return window_; }
  int InvalidateCount() const { return invalidated_; }

  bool AmbientUserMode() const override { return userMode_; }
  void FireEvent(int32_t dispid, const tonvex::EventArgs& args) override;
  tonvex::WindowHandle Window() const override { return window_.Handle(); }
  // The host's window lives as long as the host.
  tonvex::WindowHandle CreateControlWindow() override { return window_.Handle(); }
  bool SetTimer(uint32_t id, uint32_t periodMs) override;
  void KillTimer(uint32_t id) override;
  void Invalidate() override { ++invalidated_; }
  void SetModifiedFlag() override {}
  bool RequestEdit(int32_t) override { return true; }
  void PropertyChanged(int32_t) override {}
  void ShowAboutBox() override {}

 private:
  void Dispatch(const WindowMessage& message);

  SimWindow window_;
  tonvex::CTonvexCtrl* control_ = nullptr;  // not owned
  EventHandler handler_;
  bool userMode_ = true;
  int invalidated_ = 0;
};

}  // namespace sim

// The control hosted on GLib's main loop as Dorvane hosts it, recording through PulseAudio: its
// window timers are main-loop timeouts, its events are collected.
#pragma once

#include <glib.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "control_site.h"
#include "pulse_wave_in.h"
#include "tonvex_ctrl.h"

namespace linux_test {

constexpr tonvex::WindowHandle kControlWindow = 7;

// The container around the control: its window timers are main-loop timeouts.
class MainLoopSite : public tonvex::ControlSite {
 public:
  ~MainLoopSite() override {
    for (const auto& timer : timers_) g_source_remove(timer.second);
  }

  tonvex::CTonvexCtrl* control = nullptr;  // not owned
  std::string keys;
  std::vector<std::string> errors;

  bool AmbientUserMode() const override { return true; }
  void FireEvent(int32_t dispid, const tonvex::EventArgs& args) override {
    if (dispid == tonvex::dispid::kDtmfHit) keys += static_cast<char>(std::get<int16_t>(args[0]));
    if (dispid == tonvex::dispid::kOnError) errors.push_back(std::get<std::string>(args[0]));
  }
  tonvex::WindowHandle Window() const override { return kControlWindow; }
  tonvex::WindowHandle CreateControlWindow() override { return kControlWindow; }
  bool SetTimer(uint32_t id, uint32_t periodMs) override {
    KillTimer(id);
    auto* tick = new std::pair<MainLoopSite*, uint32_t>(this, id);
    timers_.emplace_back(id, g_timeout_add_full(
                                 G_PRIORITY_DEFAULT, periodMs,
                                 [](gpointer data) -> gboolean {
                                   auto& [site, timerId] = *static_cast<Tick*>(data);
                                   site->control->OnTimer(timerId);
                                   return G_SOURCE_CONTINUE;
                                 },
                                 tick, [](gpointer data) { delete static_cast<Tick*>(data); }));
    return true;
  }
  void KillTimer(uint32_t id) override {
    for (auto timer = timers_.begin(); timer != timers_.end(); ++timer) {
      if (timer->first != id) continue;
      g_source_remove(timer->second);
      timers_.erase(timer);
      return;
    }
  }
  void Invalidate() override {}
  void SetModifiedFlag() override {}
  bool RequestEdit(int32_t) override { return true; }
  void PropertyChanged(int32_t) override {}
  void ShowAboutBox() override {}

 private:
  using Tick = std::pair<MainLoopSite*, uint32_t>;
  std::vector<std::pair<uint32_t, guint>> timers_;
};

// The control as Dorvane hosts it, recording through PulseAudio.
struct HostedControl {
  MainLoopSite site;
  dorvane::linux_host::PulseWaveIn waveIn{[this](tonvex::WindowHandle window, uint32_t bytes) {
    if (window == kControlWindow) control.OnWaveInData(bytes);
  }};
  tonvex::CTonvexCtrl control{site, waveIn};

  HostedControl() {
    site.control = &control;
    control.Sensitivity = 10;
  }
};

}  // namespace linux_test

#include "loop_control_site.h"

#include <glib.h>

namespace dorvane::linux_host {

LoopControlSite::~LoopControlSite() {
  control_ = nullptr;
  DestroyWindow();
}

void LoopControlSite::DestroyWindow() {
  while (!timers_.empty()) KillTimer(timers_.begin()->first);
  if (!window_) return;
  window_ = 0;
  if (control_) control_->OnWindowDestroyed();
}

void LoopControlSite::WaveInData(uint32_t bytesRecorded) {
  if (control_ && window_) control_->OnWaveInData(bytesRecorded);
}

void LoopControlSite::FireEvent(int32_t dispid, const tonvex::EventArgs& args) {
  if (handler_) handler_(dispid, args);
}

tonvex::WindowHandle LoopControlSite::CreateControlWindow() {
  if (!window_) window_ = 1;
  return window_;
}

bool LoopControlSite::SetTimer(uint32_t id, uint32_t periodMs) {
  if (!window_) return false;
  KillTimer(id);
  auto* tick = new Tick{this, id};
  const unsigned source =
      g_timeout_add_full(G_PRIORITY_DEFAULT, periodMs, &OnTimeout, tick,
                         [](gpointer data) { delete static_cast<Tick*>(data); });
  timers_[id] = {source, tick};
  return true;
}

void LoopControlSite::KillTimer(uint32_t id) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  const unsigned source = found->second.first;
  timers_.erase(found);
  g_source_remove(source);
}

int LoopControlSite::OnTimeout(void* data) {
  const Tick* tick = static_cast<Tick*>(data);
  if (tick->site->control_) tick->site->control_->OnTimer(tick->id);
  return G_SOURCE_CONTINUE;
}

}  // namespace dorvane::linux_host

#include "glib_timer.h"

#include <glib.h>

namespace dorvane::linux_host {

GlibTimer::GlibTimer(std::string name, Program& program)
    : Timer(std::move(name)), program_(program) {}

GlibTimer::~GlibTimer() { Disarm(); }

// A new timeout replaces the old one, so the countdown starts again as a window timer's does.
void GlibTimer::Arm(uint32_t periodMs) {
  Disarm();
  source_ = g_timeout_add(periodMs, &GlibTimer::OnTimeout, this);
}

void GlibTimer::Disarm() {
  if (source_) g_source_remove(source_);
  source_ = 0;
}

int GlibTimer::OnTimeout(void* self) {
  auto* timer = static_cast<GlibTimer*>(self);
  timer->program_.DeliverEvent([timer] { timer->Tick(); });
  return G_SOURCE_CONTINUE;
}

}  // namespace dorvane::linux_host

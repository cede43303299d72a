#include "sim_control_host.h"

namespace sim {

SimControlHost::SimControlHost(EventLoop& loop)
    : window_(loop, [this](const WindowMessage& message) { Dispatch(message); }) {}

SimControlHost::~SimControlHost() {
  control_ = nullptr;
  window_.Destroy();
}

void SimControlHost::FireEvent(int32_t dispid, const tonvex::EventArgs& args) {
  if (handler_) handler_(dispid, args);
}

bool SimControlHost::SetTimer(uint32_t id, uint32_t periodMs) {
  return window_.SetTimer(id, periodMs);
}

void SimControlHost::KillTimer(uint32_t id) { window_.KillTimer(id); }

void SimControlHost::Dispatch(const WindowMessage& message) {
  if (!control_) return;
  switch (message.kind) {
    case WindowMessage::Kind::Timer:
      control_->OnTimer(message.param);
      break;
    case WindowMessage::Kind::WaveInData:
      control_->OnWaveInData(message.param);
      break;
    case WindowMessage::Kind::Destroy:
      control_->OnWindowDestroyed();
      break;
  }
}

}  // namespace sim

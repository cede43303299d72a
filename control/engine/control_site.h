// Port: the container and control framework as the engine sees them.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "tonvex_contract.h"
#include "wave_in.h"

namespace tonvex {

// Event arguments pass by value: 16-bit and 32-bit integers and UTF-8 text.
using EventArg = std::variant<int16_t, int32_t, std::string>;
using EventArgs = std::vector<EventArg>;

namespace dispid {
using contract::event::kDtmfHit;
using contract::event::kLevelHit;
using contract::event::kOnError;
}  // namespace dispid

class ControlSite {
 public:
  virtual ~ControlSite() = default;

  // The container's ambient UserMode: true when running, false at design time.
  virtual bool AmbientUserMode() const = 0;
  // Fires synchronously; the handler may call back into the control.
  virtual void FireEvent(int32_t dispid, const EventArgs& args) = 0;
  // The control's own window; 0 while it has none.
  virtual WindowHandle Window() const = 0;
  // Has the framework (re)create the control's window; returns it, or 0 when none could be made.
  virtual WindowHandle CreateControlWindow() = 0;
  // Window timer on the control's window; ticks arrive as OnTimer.
  virtual bool SetTimer(uint32_t id, uint32_t periodMs) = 0;
  virtual void KillTimer(uint32_t id) = 0;
  // Asks for the control to be redrawn.
  virtual void Invalidate() = 0;
  // Tells the container that the control's persistent state changed.
  virtual void SetModifiedFlag() = 0;
  // Bindable properties: the container may refuse a change, and hears of a change made.
  virtual bool RequestEdit(int32_t dispid) = 0;
  virtual void PropertyChanged(int32_t dispid) = 0;
  // Shows the About dialog modally and returns when it is closed.
  virtual void ShowAboutBox() = 0;
};

}  // namespace tonvex

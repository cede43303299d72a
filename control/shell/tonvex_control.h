// The control as a container sees it: properties with their ranges, methods with their
// refusals, dispatch by DISPID, persistence, and the framework's notifications.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control_site.h"
#include "dispatch_table.h"
#include "property_bag.h"
#include "property_exchange.h"
#include "sound_out.h"
#include "tonvex_ctrl.h"
#include "variant.h"

namespace tonvex {

// Invoke flags, with the values of COM's DISPATCH_* constants.
namespace dispatch {
constexpr uint16_t kMethod = 1;
constexpr uint16_t kPropertyGet = 2;
constexpr uint16_t kPropertyPut = 4;
constexpr uint16_t kPropertyPutRef = 8;
}  // namespace dispatch

class TonvexControl {
 public:
  // Turns method text (UTF-8) into the bytes of the system's ANSI code page.
  using AnsiEncoder = std::function<std::string(const std::string& utf8)>;

  // site, waveIn and soundOut are not owned and must outlive the control. Without an encoder
  // the text's own bytes are used.
  TonvexControl(ControlSite& site, WaveIn& waveIn, SoundOut& soundOut,
                AnsiEncoder toAnsi = nullptr);

  // Properties.
  const std::string& GetErrorMsg() const { return engine_.ErrorMsg; }
  void PutErrorMsg(const std::string& text) { engine_.ErrorMsg = text; }
  int16_t GetMaxSecond() const { return engine_.MaxSecond; }
  void PutMaxSecond(int16_t value);
  int32_t GetSensitivity() const { return engine_.Sensitivity; }
  void PutSensitivity(int32_t value);
  bool GetEnabled() const { return engine_.Enabled; }
  // kSetNotPermitted when the container refuses the edit.
  HResult PutEnabled(bool value);

  // Methods.
  bool PlayDtmf(const std::string& PhoneNum);
  bool SearchDtmf() { return engine_.SearchDtmf(); }
  bool SearchLevel() { return engine_.SearchLevel(); }
  void AboutBox() { site_.ShowAboutBox(); }

  // Automation. Arguments come in their natural order (the first parameter first); *argError
  // gets the index of an argument that does not convert.
  HResult GetIDsOfNames(const std::string& name, int32_t& dispid) const;
  HResult Invoke(int32_t dispid, uint16_t flags, const std::vector<Variant>& args, Variant* result,
                 uint32_t* argError = nullptr);

  // Framework notifications.
  void OnSetClientSite();
  void OnAmbientPropertyChange(int32_t dispid);
  void OnWindowDestroyed() { engine_.OnWindowDestroyed(); }
  void OnTimer(uint32_t timerId) { engine_.OnTimer(timerId); }
  void OnWaveInData(uint32_t bytesRecorded) { engine_.OnWaveInData(bytesRecorded); }

  // Persistence: the current state, and applying a loaded or reset one.
  PersistentState SaveState() const;
  void LoadState(const PersistentState& state);
  void ResetState();
  HResult LoadStream(const uint8_t* data, size_t size);
  std::vector<uint8_t> SaveStream() const;
  HResult LoadBag(PropertyBag& bag);
  HResult SaveBag(PropertyBag& bag) const;

  // The control's size in HIMETRIC units, kept with its properties.
  int32_t ExtentX() const { return extentX_; }
  int32_t ExtentY() const { return extentY_; }
  void SetExtent(int32_t x, int32_t y);

  CTonvexCtrl& Engine() { return engine_; }
  const CTonvexCtrl& Engine() const { return engine_; }

 private:
  HResult GetProperty(int32_t dispid, Variant& value) const;
  HResult PutProperty(int32_t dispid, const Variant& value);
  Variant CallMethod(int32_t dispid, const std::vector<Variant>& args);

  ControlSite& site_;   // not owned
  SoundOut& soundOut_;  // not owned
  AnsiEncoder toAnsi_;
  int32_t extentX_ = kDefaultExtent;
  int32_t extentY_ = kDefaultExtent;
  CTonvexCtrl engine_;
};

}  // namespace tonvex

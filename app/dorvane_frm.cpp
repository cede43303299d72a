#include "dorvane_frm.h"

#include "runtime_error.h"

namespace dorvane {

Dorvane_frm::Dorvane_frm(const FormControls& controls)
    : desktop_(controls.desktop),
      shell_(controls.shell),
      files_(controls.files),
      messengerClient_(controls.messengerClient),
      MSComm1(controls.MSComm1),
      Tonvex(controls.Tonvex),
      Timer1(controls.Timer1),
      Timer2(controls.Timer2),
      mnuMain_(MakeMainMenu()),
      preference_(*this),
      about_(controls.desktop) {
  Timer1.SetHandler([this] { Timer1_Timer(); });
  Timer2.SetHandler([this] { Timer2_Timer(); });
}

std::string Dorvane_frm::ProgramFile(const std::string& name) {
  return desktop_.ProgramFolder() + desktop_.PathSeparator() + name;
}

bool Dorvane_frm::StopSearchIfOn() {
  if (state_.DtmfSearchOn != 1) return false;
  Tonvex.SearchDtmf();
  state_.DtmfSearchOn = 0;
  return true;
}

bool Dorvane_frm::StartSearchIfOff() {
  if (state_.DtmfSearchOn != 0) return false;
  Tonvex.SearchDtmf();
  state_.DtmfSearchOn = 1;
  return true;
}

void Dorvane_frm::EndProgram() {
  ended_ = true;
  preference_.Discard();
  about_.Discard();
  desktop_.EndProgram();
  throw ProgramEnded{};
}

void Dorvane_frm::UnloadMainWindow() {
  Form_Unload();
  EndProgram();
}

}  // namespace dorvane

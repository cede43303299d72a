#include "preference.h"

#include "com_port.h"
#include "dorvane_frm.h"
#include "runtime_error.h"

namespace dorvane {
namespace {

const std::array<std::string, 3> kFieldLabels = {"COM port", "Modem dial number", "Modem command"};
const char kEmptyDialNumber[] = "Modem Dial Numberは必ず入力してください";

bool IsMissingPicture(const RuntimeError& failure) {
  return failure.Number == kFileNotFound || failure.Number == kInvalidPicture;
}

std::string TrimSpaces(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void Preference::Show() {
  if (window_) {
    window_->BringToFront();
    return;
  }
  window_ = main_.desktop_.CreatePreferenceWindow();
  Form_Load();
  if (window_) window_->Show();
}

void Preference::Form_Load() {
  SharedState& state = main_.State();
  try {
    // A missing or unreadable picture leaves plain faces and labelled fields.
    const std::string picturePath = main_.ProgramFile("back1.jpg");
    try {
      window_->SetBackgroundPicture(main_.desktop_.LoadPicture(picturePath));
      window_->SetOkPicture(main_.desktop_.LoadPicture(picturePath));
      window_->SetCancelPicture(main_.desktop_.LoadPicture(picturePath));
    } catch (const RuntimeError& failure) {
      if (!IsMissingPicture(failure)) throw;
      window_->SetBackgroundPicture(nullptr);
      window_->SetOkPicture(nullptr);
      window_->SetCancelPicture(nullptr);
      window_->ShowFieldLabels(kFieldLabels);
    }
    main_.StopSearchIfOn();
    main_.Timer1.SetEnabled(false);
    main_.Timer2.SetEnabled(false);
    main_.Tonvex.SetEnabled(false);
    if (main_.MSComm1.PortOpen()) main_.MSComm1.SetPortOpen(false);
    window_->SetComEntries(ComEntries(state.ComPort));
    window_->SetText(PreferenceField::Cmb_Com, "COM" + state.ComPort);
    window_->SetText(PreferenceField::Txt_MDN, state.ModemDialNumber);
    window_->SetText(PreferenceField::Cmb_MAC, state.ModemCommand);
    main_.files_.CheckWritable(main_.ProgramFile("DVN.ini"));
  } catch (const RuntimeError& failure) {
    main_.ShowError(failure.Description, failure.Number, true);
  }
}

void Preference::Cmd_OK_Click() {
  SharedState& state = main_.State();
  try {
    state.ComPort = ComPortFromChoice(window_->Text(PreferenceField::Cmb_Com));
    const std::string dialNumber = window_->Text(PreferenceField::Txt_MDN);
    if (TrimSpaces(dialNumber).empty()) {
      main_.ShowError(kEmptyDialNumber, 0, false);
      return;
    }
    state.ModemDialNumber = dialNumber;
    state.ModemCommand = window_->Text(PreferenceField::Cmb_MAC);
    Unload();
  } catch (const RuntimeError& failure) {
    main_.ShowError(failure.Description, failure.Number, false);
  }
}

void Preference::Cmd_Cancel_Click() { Unload(); }

void Preference::Unload() {
  if (!window_) return;
  window_->Close();
  window_.reset();
  Form_Unload();
}

void Preference::Form_Unload() {
  SharedState& state = main_.State();
  try {
    main_.WriteSettings();
    main_.MSComm1.SetCommPort(ComPortNumber(state.ComPort));
    main_.MSComm1.SetPortOpen(true);
    main_.Timer1.SetEnabled(true);
    main_.Timer2.SetEnabled(true);
    main_.Tonvex.SetEnabled(true);
    // During a call the search stays off; the end of the call starts it again.
    if (state.InCall == 0) main_.StartSearchIfOff();
  } catch (const RuntimeError& failure) {
    main_.ShowError(failure.Description, failure.Number, false);
  }
}

}  // namespace dorvane

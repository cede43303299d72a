#include "app_info.h"
#include "com_port.h"
#include "dorvane_frm.h"
#include "runtime_error.h"

namespace dorvane {

void Dorvane_frm::Form_Load() {
  if (desktop_.PrevInstance()) {
    desktop_.MsgBox("すでに「" + kAppTitle + "」は起動されています。", kMsgExclamation, kAppTitle);
    EndProgram();
  }
  try {
    desktop_.HideMainWindow();
    MsgrUIA = messengerClient_.CreateMessenger();
    if (MsgrUIA->MyStatus() == kStatusOffline) {
      desktop_.MsgBox("Please log in MSN Messenger first.", kMsgOkOnly, kAppTitle);
      UnloadMainWindow();
    }
    AddTrayIcon();
    state_.InCall = 0;
    state_.DtmfSearchOn = 0;
    state_.ComPort = std::to_string(2);
    state_.ModemDialNumber = "*0";
    state_.ModemCommand = "ATD0;";
    Tonvex.SetEnabled(true);
    Tonvex.SearchDtmf();
    state_.DtmfSearchOn = 1;

    const std::string settingsPath = ProgramFile("DVN.ini");
    const std::string phoneListPath = ProgramFile("PhoneLst.txt");
    if (files_.Dir(settingsPath).empty() || files_.Dir(phoneListPath).empty()) {
      preference_.Show();
      WritePhoneList(*MsgrUIA);
      return;
    }
    ReadSettings();
    LoadPhoneList();
    MSComm1.SetCommPort(ComPortNumber(state_.ComPort));
    MSComm1.SetPortOpen(true);
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, false);
    // Without a tray icon nobody could reach or end this instance, and it would block the
    // next start: end as a signed-out start does.
    if (!trayIconAdded_) UnloadMainWindow();
  }
}

}  // namespace dorvane

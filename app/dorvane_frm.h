// The hidden main window: its controls (as ports), the state the call bridge shares, and every
// handler the runtime calls. One thread: the runtime calls one handler at a time, except where
// a handler lets pending events run.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "about.h"
#include "desktop.h"
#include "file_system.h"
#include "menu.h"
#include "messenger.h"
#include "modem_line.h"
#include "preference.h"
#include "serial_port.h"
#include "shared_state.h"
#include "timer.h"
#include "tone_detector.h"
#include "tray_icon_data.h"

namespace dorvane {

// Timer2's period while a conversation is supervised.
constexpr int32_t kSupervisionIntervalMs = 5000;

// The control's properties as the form stores them at design time.
struct ToneDetectorDesignProperties {
  bool Enabled = false;
  int32_t Sensitivity = 10;
  int16_t MaxSecond = 10;
};

struct FormControls {
  Desktop& desktop;
  WindowShell& shell;
  FileSystem& files;
  MessengerClient& messengerClient;
  SerialPort& MSComm1;
  ToneDetector& Tonvex;
  Timer& Timer1;
  Timer& Timer2;
};

class Dorvane_frm {
 public:
  static constexpr ToneDetectorDesignProperties kTonvexDesign{};

  explicit Dorvane_frm(const FormControls& controls);
  Dorvane_frm(const Dorvane_frm&) = delete;
  Dorvane_frm& operator=(const Dorvane_frm&) = delete;

  // Start-up.
  void Form_Load();
  // Modem channel.
  void MSComm1_OnComm();
  void DialModem();
  // Dialled codes.
  void Tonvex_DtmfHit(int16_t KeyCode, int16_t Level, int32_t Sensitivity, int32_t UnusedSize);
  // Conversation supervision.
  void Timer2_Timer();
  // Incoming conversations.
  void MsgrUIA_OnIMWindowCreated(const std::shared_ptr<MessengerWindow>& pIMWindow);
  void Timer1_Timer();
  // Tray icon, menu and shutdown.
  void AddTrayIcon();
  void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
  void mnuPhoneLst_Click();
  void mnuPre_Click();
  void mnuVersion_Click();
  void mnuExit_Click();
  void Form_Unload();
  // Settings file and phone list.
  void ReadSettings();
  void WriteSettings();
  void WritePhoneList(Messenger& messenger);
  void LoadPhoneList();
  // The one error report. Returns only when fatal is false.
  void ShowError(const std::string& description, int32_t number, bool fatal);

  SharedState& State() { return state_; }
  const SharedState& State() const { return state_; }
  const std::string& DtmfBuffer() const { return DtmfBuffer_; }
  const MenuItem& MainMenu() const { return mnuMain_; }
  Preference& PreferenceDialog() { return preference_; }
  frmAbout& AboutBox() { return about_; }
  bool Ended() const { return ended_; }

  // The path of a file beside the program.
  std::string ProgramFile(const std::string& name);
  // Start and stop the DTMF search, flipping DtmfSearchOn with each call of SearchDtmf.
  bool StopSearchIfOn();
  bool StartSearchIfOff();
  // Unloads the main window: Form_Unload runs, then the program ends.
  [[noreturn]] void UnloadMainWindow();
  [[noreturn]] void EndProgram();

 private:
  friend class Preference;
  enum class ReplyRead { Replace, Append };
  struct TrayNotification {
    int16_t Button;
    int16_t Shift;
    float X;
    float Y;
  };
  // "Let pending events run" for a waiting handler; a tray click arriving meanwhile is held.
  void LetPendingEventsRun();
  // Opens the menu a tray click asked for while a handler waited, once no handler waits.
  void OpenMenuHeldDuringWait();
  void WaitForOk(ReplyRead mode);
  void EndConversation(bool closeWindow);
  bool BringToFront(MessengerWindow& window, int64_t deadline);
  bool AcceptWhileInFront(MessengerWindow& window, int64_t deadline);
  void RemoveTrayIcon();
  void RunMenuCommand(const MenuItem& item);
  // Before the end: a call in progress is hung up and the status set back to away.
  void HangUpBeforeEnd();

  Desktop& desktop_;
  WindowShell& shell_;
  FileSystem& files_;
  MessengerClient& messengerClient_;
  SerialPort& MSComm1;
  ToneDetector& Tonvex;
  Timer& Timer1;
  Timer& Timer2;

  SharedState state_;
  std::shared_ptr<Messenger> MsgrUIA;
  std::shared_ptr<MessengerWindow> ConvWindow;
  std::shared_ptr<MessengerContact> CallContact;
  std::string DtmfBuffer_;
  MenuItem mnuMain_;
  TrayIconData TrayIconData_;
  bool trayIconAdded_ = false;
  bool settingsFileKnown_ = false;            // DVN.ini was read or written by this run
  ModemLine modemLine_{sizeof "RING\r" - 1};  // the longest reply the program looks for
  bool ended_ = false;
  int waitingHandlers_ = 0;
  std::optional<TrayNotification> heldTrayClick_;
  Preference preference_;
  frmAbout about_;
};

}  // namespace dorvane

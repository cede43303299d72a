// Dorvane.exe: the bridge's form with its controls on the Windows runtime.
#include "windows_prelude.h"
// Before the ports, so that their member names stay theirs.
#include <objbase.h>

#include <memory>
#include <string>

#include "about_window.h"
#include "com_messenger_client.h"
#include "dorvane_frm.h"
#include "hosted_tone_detector.h"
#include "modeless_dialog.h"
#include "ole_picture.h"
#include "preference_window.h"
#include "program.h"
#include "runtime_error.h"
#include "text.h"
#include "win32_desktop.h"
#include "win32_files.h"
#include "win32_serial_port.h"
#include "win32_timer.h"

namespace {

using namespace dorvane;
using namespace dorvane::win32;

// What ShowError would say, for a failure before the form exists to say it.
int ReportStartFailure(const RuntimeError& failure) {
  const std::string text =
      "ERROR NUMBER  " + std::to_string(failure.Number) + "\r\n" + failure.Description;
  MessageBoxW(nullptr, Utf8ToWide(text).c_str(), L"ERROR", MB_OK | MB_ICONEXCLAMATION);
  return 1;
}

int RunProgram(HINSTANCE instance) {
  Program program(instance);
  program.SetDialogFilter(&ModelessDialogs::PreTranslate);
  // Handlers reach the form once it exists; events before that have nobody to go to.
  Dorvane_frm* form = nullptr;
  auto onForm = [&program, &form](void (*handler)(Dorvane_frm&)) {
    program.DeliverEvent([&form, handler] {
      if (form) handler(*form);
    });
  };

  Win32SerialPort serial(program.Posted(),
                         [&] { onForm([](Dorvane_frm& f) { f.MSComm1_OnComm(); }); });
  ComMessengerClient messenger(program.Posted(), [&](std::shared_ptr<MessengerWindow> window) {
    program.DeliverEvent([&form, window] {
      if (form) form->MsgrUIA_OnIMWindowCreated(window);
    });
  });
  ViewFactories views;
  views.loadPicture = &LoadPicture;
  views.preference = [&]() -> std::unique_ptr<PreferenceWindow> {
    PreferenceActions actions;
    actions.onOk = [&] { onForm([](Dorvane_frm& f) { f.PreferenceDialog().Cmd_OK_Click(); }); };
    actions.onCancel = [&] {
      onForm([](Dorvane_frm& f) { f.PreferenceDialog().Cmd_Cancel_Click(); });
    };
    actions.onCloseBox = [&] { onForm([](Dorvane_frm& f) { f.PreferenceDialog().OnCloseBox(); }); };
    return std::make_unique<Win32PreferenceWindow>(program.MainWindow(), std::move(actions));
  };
  views.about = [&]() -> std::unique_ptr<AboutWindow> {
    AboutActions actions;
    actions.onOk = [&] { onForm([](Dorvane_frm& f) { f.AboutBox().cmdOK_Click(); }); };
    actions.onCloseBox = [&] { onForm([](Dorvane_frm& f) { f.AboutBox().OnCloseBox(); }); };
    return std::make_unique<Win32AboutWindow>(program.MainWindow(), std::move(actions));
  };
  Win32Desktop desktop(program, std::move(views), serial.DataArrived());
  Win32Files files;
  Win32Timer timer1("Timer1", program, 1);
  Win32Timer timer2("Timer2", program, 2);

  std::unique_ptr<HostedToneDetector> tonvex;
  try {
    tonvex = std::make_unique<HostedToneDetector>(
        program.MainWindow(),
        [&](int16_t keyCode, int16_t level, int32_t sensitivity, int32_t unusedSize) {
          // Runs inside the control's own frames: the gate keeps every failure on this side.
          program.DeliverEvent([&] {
            if (form) form->Tonvex_DtmfHit(keyCode, level, sensitivity, unusedSize);
          });
        });
  } catch (const RuntimeError& failure) {
    return ReportStartFailure(failure);
  }

  Dorvane_frm frm(
      FormControls{desktop, desktop, files, messenger, serial, *tonvex, timer1, timer2});
  form = &frm;
  program.SetMouseDown([&frm](int16_t button, int16_t shift, float x, float y) {
    frm.Form_MouseDown(button, shift, x, y);
  });
  program.SetSessionEnd([&frm] { frm.mnuExit_Click(); });
  program.Deliver([&frm] { frm.Form_Load(); });
  const int status = program.Run();
  form = nullptr;
  return status;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // One apartment for the hosted control, the pictures and the messenger's events.
  if (FAILED(OleInitialize(nullptr))) return 1;
  const int status = RunProgram(instance);
  OleUninitialize();
  return status;
}

#include "run_program.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "dorvane_frm.h"
#include "glib_timer.h"
#include "gtk_about_window.h"
#include "gtk_preference_window.h"
#include "hosted_tone_detector.h"
#include "pixbuf_picture.h"
#include "posix_files.h"
#include "program.h"
#include "runtime_error.h"

namespace dorvane::linux_host {
namespace {

constexpr int16_t kMiddleButton = 4;
// REGDB_E_CLASSNOTREG, as the messenger's creation fails where its client is not installed.
constexpr int32_t kClassNotRegistered = static_cast<int32_t>(0x80040154u);

}  // namespace

std::shared_ptr<Messenger> AbsentMessengerClient::CreateMessenger() {
  throw RuntimeError(kClassNotRegistered, "Class not registered");
}

int RunProgram(int argc, char** argv, const Adapters& adapters) {
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "dorvane: cannot open the display\n");
    return 1;
  }
  GdkPixbuf* icon = ProgramIconPixbuf(true);
  gtk_window_set_default_icon(icon);
  g_object_unref(icon);

  Program program;
  // Handlers reach the form once it exists; events before that have nobody to go to.
  Dorvane_frm* form = nullptr;
  auto onForm = [&program, &form](void (*handler)(Dorvane_frm&)) {
    program.DeliverEvent([&form, handler] {
      if (form) handler(*form);
    });
  };

  SerialAdapter serial =
      adapters.serialPort([&] { onForm([](Dorvane_frm& f) { f.MSComm1_OnComm(); }); });
  ViewFactories views;
  views.preference = [&]() -> std::unique_ptr<PreferenceWindow> {
    DialogActions actions;
    actions.onOk = [&] { onForm([](Dorvane_frm& f) { f.PreferenceDialog().Cmd_OK_Click(); }); };
    actions.onCancel = [&] {
      onForm([](Dorvane_frm& f) { f.PreferenceDialog().Cmd_Cancel_Click(); });
    };
    actions.onCloseBox = [&] { onForm([](Dorvane_frm& f) { f.PreferenceDialog().OnCloseBox(); }); };
    std::vector<int16_t> linked;
    if (adapters.linkedComPorts) linked = adapters.linkedComPorts();
    return std::make_unique<GtkPreferenceWindow>(std::move(actions), std::move(linked));
  };
  views.about = [&]() -> std::unique_ptr<AboutWindow> {
    DialogActions actions;
    actions.onOk = [&] { onForm([](Dorvane_frm& f) { f.AboutBox().cmdOK_Click(); }); };
    actions.onCloseBox = [&] { onForm([](Dorvane_frm& f) { f.AboutBox().OnCloseBox(); }); };
    return std::make_unique<GtkAboutWindow>(std::move(actions));
  };
  GtkDesktop desktop(program, std::move(views), serial.waitForData);
  std::unique_ptr<MessengerClient> messenger =
      adapters.messenger(desktop, [&](std::shared_ptr<MessengerWindow> window) {
        program.DeliverEvent([&form, window] {
          if (form) form->MsgrUIA_OnIMWindowCreated(window);
        });
      });
  PosixFiles files;
  GlibTimer timer1("Timer1", program);
  GlibTimer timer2("Timer2", program);

  LoopControlSite site;
  std::unique_ptr<tonvex::WaveIn> soundSource = adapters.soundSource(site);
  HostedToneDetector tonvex(
      site, *soundSource,
      [&](int16_t keyCode, int16_t level, int32_t sensitivity, int32_t unusedSize) {
        program.DeliverEvent([&] {
          if (form) form->Tonvex_DtmfHit(keyCode, level, sensitivity, unusedSize);
        });
      });

  Dorvane_frm frm(
      FormControls{desktop, desktop, files, *messenger, *serial.port, tonvex, timer1, timer2});
  form = &frm;
  desktop.SetTrayNotify([&](int mouseMessage) {
    const float x = static_cast<float>(mouseMessage * desktop.TwipsPerPixelX());
    program.DeliverEvent([&frm, x] { frm.Form_MouseDown(kMiddleButton, 0, x, 0); });
  });
  // The session's end (or a polite kill) takes the program's own way out.
  const auto onSessionEnd = +[](gpointer data) -> gboolean {
    auto* run = static_cast<std::pair<Program*, Dorvane_frm*>*>(data);
    run->first->Deliver([run] { run->second->mnuExit_Click(); });
    return G_SOURCE_CONTINUE;
  };
  std::pair<Program*, Dorvane_frm*> running{&program, &frm};
  const unsigned term = g_unix_signal_add(SIGTERM, onSessionEnd, &running);
  const unsigned hangUp = g_unix_signal_add(SIGHUP, onSessionEnd, &running);

  program.Deliver([&frm] { frm.Form_Load(); });
  const int status = program.Run();
  g_source_remove(term);
  g_source_remove(hangUp);
  form = nullptr;
  return status;
}

}  // namespace dorvane::linux_host

// Dorvane on a Linux desktop: the form with its controls on the GTK runtime. The adapters that
// reach outside (serial line, sound source, messenger) are given by the caller, so the shipped
// program and its tests differ only there.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "gtk_desktop.h"
#include "loop_control_site.h"
#include "messenger.h"
#include "serial_port.h"
#include "wave_in.h"

namespace dorvane::linux_host {

struct SerialAdapter {
  std::unique_ptr<SerialPort> port;
  // Waits at most that many milliseconds for data on the open port, running no handler.
  std::function<void(int timeoutMs)> waitForData;
};

using WindowCreated = std::function<void(std::shared_ptr<MessengerWindow>)>;

struct Adapters {
  // onComm runs the form's OnComm handler through the program's gate.
  std::function<SerialAdapter(std::function<void()> onComm)> serialPort;
  // The capture device hands its buffers back to site.WaveInData on the main loop.
  std::function<std::unique_ptr<tonvex::WaveIn>(LoopControlSite& site)> soundSource;
  std::function<std::unique_ptr<MessengerClient>(GtkDesktop& desktop, WindowCreated created)>
      messenger;
  // Ports the settings dialog offers beside COM1-COM6 (may be null).
  std::function<std::vector<int16_t>()> linkedComPorts;
};

// Runs the program until it ends; its exit status.
int RunProgram(int argc, char** argv, const Adapters& adapters);

// The messenger of a machine that has none: creating it fails as an unregistered class does.
class AbsentMessengerClient : public MessengerClient {
 public:
  std::shared_ptr<Messenger> CreateMessenger() override;
};

}  // namespace dorvane::linux_host

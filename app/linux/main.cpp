// dorvane: the bridge as a tray program on a Linux desktop.
#include "device_adapters.h"

using namespace dorvane::linux_host;

int main(int argc, char** argv) {
  Adapters adapters = DeviceAdapters();
  adapters.messenger = [](GtkDesktop&, WindowCreated) -> std::unique_ptr<dorvane::MessengerClient> {
    return std::make_unique<AbsentMessengerClient>();
  };
  return RunProgram(argc, argv, adapters);
}

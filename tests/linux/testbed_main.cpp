// dorvane-testbed: the program with its real devices and the loopback messenger, for the
// tests under Xvfb until a real messenger adapter exists.
#include "device_adapters.h"
#include "loopback_messenger.h"

using namespace dorvane::linux_host;

int main(int argc, char** argv) {
  Adapters adapters = DeviceAdapters();
  adapters.messenger = [](GtkDesktop& desktop,
                          WindowCreated created) -> std::unique_ptr<dorvane::MessengerClient> {
    return std::make_unique<LoopbackMessengerClient>(desktop, std::move(created));
  };
  return RunProgram(argc, argv, adapters);
}

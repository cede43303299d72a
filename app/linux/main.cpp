// dorvane: the bridge as a tray program on a Linux desktop.
#include "device_adapters.h"
#include "sip_messenger.h"

using namespace dorvane::linux_host;

int main(int argc, char** argv) {
  Adapters adapters = DeviceAdapters();
  adapters.messenger = [](GtkDesktop& desktop,
                          WindowCreated created) -> std::unique_ptr<dorvane::MessengerClient> {
    return std::make_unique<SipMessenger>(desktop, std::move(created),
                                          BaresipEndpointFromEnvironment());
  };
  return RunProgram(argc, argv, adapters);
}

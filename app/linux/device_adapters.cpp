#include "device_adapters.h"

#include "program_folders.h"
#include "pulse_wave_in.h"
#include "termios_serial_port.h"

namespace dorvane::linux_host {

Adapters DeviceAdapters() {
  Adapters adapters;
  adapters.serialPort = [](std::function<void()> onComm) {
    auto port = std::make_unique<TermiosSerialPort>(ConfigFolder(), std::move(onComm));
    TermiosSerialPort* serial = port.get();
    return SerialAdapter{std::move(port),
                         [serial](int timeoutMs) { serial->WaitForData(timeoutMs); }};
  };
  adapters.soundSource = [](LoopControlSite& site) -> std::unique_ptr<tonvex::WaveIn> {
    return std::make_unique<PulseWaveIn>(
        [&site](tonvex::WindowHandle, uint32_t bytes) { site.WaveInData(bytes); });
  };
  adapters.linkedComPorts = [] { return LinkedComPorts(ConfigFolder()); };
  return adapters;
}

}  // namespace dorvane::linux_host

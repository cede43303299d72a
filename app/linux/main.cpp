// dorvane: the bridge as a tray program on a Linux desktop.
#include "program_folders.h"
#include "pulse_wave_in.h"
#include "run_program.h"
#include "termios_serial_port.h"

using namespace dorvane::linux_host;

int main(int argc, char** argv) {
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
  adapters.messenger = [](GtkDesktop&, WindowCreated) -> std::unique_ptr<dorvane::MessengerClient> {
    return std::make_unique<AbsentMessengerClient>();
  };
  return RunProgram(argc, argv, adapters);
}

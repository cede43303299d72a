// dorvane: the bridge as a tray program on a Linux desktop.
#include "hosted_tone_detector.h"
#include "run_program.h"
#include "runtime_error.h"

using namespace dorvane::linux_host;

namespace {

// Until the termios adapter is linked in: every port is one that does not exist.
class UnavailableSerialPort : public dorvane::SerialPort {
 public:
  void SetCommPort(int16_t port) override { port_ = port; }
  int16_t CommPort() override { return port_; }
  void SetPortOpen(bool open) override {
    if (open) throw dorvane::failure::InvalidPortNumber();
  }
  bool PortOpen() override { return false; }
  void Output(const std::string&) override { throw dorvane::failure::PortNotOpen(); }
  std::string Input() override { throw dorvane::failure::PortNotOpen(); }

 private:
  int16_t port_ = 1;
};

}  // namespace

int main(int argc, char** argv) {
  Adapters adapters;
  adapters.serialPort = [](std::function<void()>) {
    return SerialAdapter{std::make_unique<UnavailableSerialPort>(), nullptr};
  };
  adapters.soundSource = [](LoopControlSite&) -> std::unique_ptr<tonvex::WaveIn> {
    return std::make_unique<NoCaptureDevice>();
  };
  adapters.messenger = [](GtkDesktop&, WindowCreated) -> std::unique_ptr<dorvane::MessengerClient> {
    return std::make_unique<AbsentMessengerClient>();
  };
  return RunProgram(argc, argv, adapters);
}

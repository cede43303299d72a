// Bytes from a baresip that cannot be trusted: the netstring reader, the JSON messages and
// the call model behind them must neither crash nor hang, however the bytes are cut.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ctrl_message.h"
#include "netstring_reader.h"
#include "sip_call_model.h"

namespace {

class SilentBaresip : public dorvane::sip::SipTransport, public dorvane::sip::ConversationDesk {
 public:
  bool Connect() override { return true; }
  bool Send(const std::string&) override { return true; }
  std::string Receive(int, bool& dropped) override {
    dropped = false;
    return {};
  }
  void Close() override {}
  int64_t MonotonicMs() override { return 0; }
  dorvane::WindowHandle OpenWindow(const std::string&) override { return ++windows; }
  void ShowText(dorvane::WindowHandle, const std::string&) override {}
  void CloseWindow(dorvane::WindowHandle) override {}
  void Post(std::function<void()> task) override { task(); }
  dorvane::WindowHandle windows = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses where the stream is cut in two.
  const size_t cut = data[0] % size;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  dorvane::sip::NetstringReader reader;
  auto parse = [](const std::string& payload) { dorvane::sip::ParseCtrlMessage(payload); };
  reader.Feed(bytes.substr(0, cut), parse);
  reader.Feed(bytes.substr(std::min(cut, bytes.size())), parse);

  SilentBaresip baresip;
  dorvane::sip::SipCallModel model(baresip, baresip);
  std::vector<std::shared_ptr<dorvane::MessengerWindow>> windows;
  model.SetOnWindowCreated(
      [&](std::shared_ptr<dorvane::MessengerWindow> window) { windows.push_back(window); });
  model.BytesArrived(bytes.substr(0, cut));
  for (dorvane::WindowHandle window = 1; window <= baresip.windows; ++window) {
    model.KeysSent(window, "%T");
  }
  model.BytesArrived(bytes.substr(std::min(cut, bytes.size())));
  for (auto& window : windows) {
    window->History();
    window->Close();
  }
  model.ConnectionDropped();
  return 0;
}

// msgrsim: a stand-in for the messenger client, for tests and demonstrations of Dorvane.
//   msgrsim [/log FILE] [/script FILE]   runs the messenger (also when COM starts it)
//   msgrsim [/log FILE] /sip HOST:PORT   runs it on the calls and contacts of a running baresip
//   msgrsim /regserver | /unregserver    registers it for the current user, or removes that
//   msgrsim COMMAND ARGS...              hands a command to the running msgrsim (commands.h)
// Winsock's header, which includes windows.h after its own definitions.
#include <winsock2.h>

#include <memory>
#include <string>
#include <vector>

#include "call_log.h"
#include "class_factory.h"
#include "commands.h"
#include "console.h"
#include "conversation_window.h"
#include "main_window.h"
#include "messenger_object.h"
#include "messenger_state.h"
#include "msgrsim_h.h"
#include "registration.h"
#include "remote.h"
#include "sip_backend.h"

namespace msgrsim {
namespace {

struct Options {
  std::wstring log;
  std::wstring script;
  std::wstring sip;  // HOST:PORT of baresip's ctrl_tcp; empty for the scripted messenger
};

bool IsOption(const std::wstring& arg, const wchar_t* name) {
  return (arg[0] == L'/' || arg[0] == L'-') && lstrcmpiW(arg.c_str() + 1, name) == 0;
}

int Report(const std::wstring& failure) {
  if (failure.empty()) return 0;
  PrintError(L"msgrsim: " + failure);
  return 1;
}

int RunMessenger(const Options& options) {
  if (FindWindowW(kMainWindowClass, nullptr)) return Report(L"msgrsim is already running");
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    return Report(L"COM cannot start");
  }
  CallLog log(options.log);
  if (!options.log.empty() && !log.IsOpen()) return Report(L"cannot write " + options.log);
  MessengerState state(log);
  // The window exists before any client's call can arrive: calls come through the loop below.
  const HWND main = CreateMainWindow(state);
  state.onChanged = [main, &state] { ShowState(main, state); };
  std::unique_ptr<SipBackend> sip;
  ClassFactory::Create create = [&state](REFIID iid, void** object) {
    state.Log().Line("call create");
    return HandOver(static_cast<IMessenger3*>(new MessengerObject(state)), iid, object);
  };
  if (options.sip.empty()) {
    state.onWindowOpened = [main](int number) { PostWindowOpened(main, number); };
  } else {
    Endpoint endpoint;
    if (!ParseEndpoint(options.sip, endpoint)) {
      DestroyWindow(main);
      CoUninitialize();
      return Report(L"/sip takes HOST:PORT, not " + options.sip);
    }
    sip = std::make_unique<SipBackend>(state, endpoint);
    std::wstring failure;
    if (!sip->Start(failure)) {
      sip.reset();
      DestroyWindow(main);
      CoUninitialize();
      return Report(L"no baresip answers at " + options.sip + L": " + failure);
    }
    create = [&sip](REFIID iid, void** object) { return sip->CreateInstance(iid, object); };
  }
  ClassFactory factory(create);
  DWORD registration = 0;
  const HRESULT registered = CoRegisterClassObject(CLSID_Messenger, &factory, CLSCTX_LOCAL_SERVER,
                                                   REGCLS_MULTIPLEUSE, &registration);
  int code = FAILED(registered) ? Report(L"the Messenger class cannot be offered") : 0;
  if (code == 0 && !options.script.empty()) {
    const CommandResult result = RunCommand(state, {L"script", options.script}, L"");
    code = result.ok ? 0 : Report(result.text);
  }
  if (code == 0) {
    log.Line("ready");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (TranslateConversationKeys(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    log.Line("ended");
  }
  if (SUCCEEDED(registered)) CoRevokeClassObject(registration);
  sip.reset();
  if (IsWindow(main)) DestroyWindow(main);
  CoUninitialize();
  return code;
}

int Main(const std::vector<std::wstring>& args) {
  if (!args.empty() && IsOption(args[0], L"regserver")) return Report(RegisterServer());
  if (!args.empty() && IsOption(args[0], L"unregserver")) return Report(UnregisterServer());
  if (!args.empty() && args[0][0] != L'/' && args[0][0] != L'-') return Forward(args);
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (IsOption(args[i], L"log") && hasValue) {
      options.log = args[++i];
    } else if (IsOption(args[i], L"script") && hasValue) {
      options.script = args[++i];
    } else if (IsOption(args[i], L"sip") && hasValue) {
      options.sip = args[++i];
    } else if (!IsOption(args[i], L"Embedding")) {
      return Report(L"unknown option " + args[i] +
                    L"; usage: msgrsim [/log FILE] [/script FILE | /sip HOST:PORT] | /regserver | "
                    L"/unregserver | COMMAND ARGS...");
    }
  }
  if (!options.script.empty() && !options.sip.empty()) {
    return Report(L"/script and /sip exclude each other: baresip makes the calls");
  }
  return RunMessenger(options);
}

}  // namespace
}  // namespace msgrsim

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return msgrsim::Main(args);
}

// The messenger client adapter against msgrsim running in a process of its own, driven from its
// command line as a test or a demo drives it; and msgrsim's registration for the current user.
// Winsock first: the headers below include the older one otherwise.
// clang-format off
#include <winsock2.h>
#include <gtest/gtest.h>
#include <ocidl.h>
#include <windows.h>
// clang-format on

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com_messenger_client.h"
#include "com_ptr.h"
#include "messenger_ids.h"
#include "posted_calls.h"
#include "runtime_error.h"

namespace {

using dorvane::MessengerWindow;
using dorvane::RuntimeError;

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return folder.erase(folder.find_last_of(L"\\/") + 1) + name;
}

// Runs the thread's messages until `done` holds; false when it still does not after 15 s.
bool PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 15000) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

struct Process {
  PROCESS_INFORMATION info = {};
  HANDLE output = nullptr;  // the read end of its standard output
  ~Process() {
    if (output) CloseHandle(output);
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
  }
};

// msgrsim.exe with the arguments, its standard output caught in a pipe.
std::unique_ptr<Process> Start(const std::wstring& args) {
  auto process = std::make_unique<Process>();
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE write = nullptr;
  CreatePipe(&process->output, &write, &inherit, 0);
  SetHandleInformation(process->output, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring line = L"\"" + Beside(L"msgrsim.exe") + L"\" " + args;
  const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process->info);
  CloseHandle(write);
  return started ? std::move(process) : nullptr;
}

// A second msgrsim with a command: its exit code, and what it printed.
int Msgrsim(const std::wstring& args, std::string* printed = nullptr) {
  const std::unique_ptr<Process> process = Start(args);
  if (!process) return -1;
  std::string text;
  char buffer[256];
  DWORD read = 0;
  while (ReadFile(process->output, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  // The messenger may call this thread's sinks meanwhile: keep its messages moving.
  PumpUntil([&] { return WaitForSingleObject(process->info.hProcess, 0) == WAIT_OBJECT_0; });
  DWORD code = 1;
  GetExitCodeProcess(process->info.hProcess, &code);
  if (printed) *printed = text.substr(0, text.find_last_not_of("\r\n") + 1);
  return static_cast<int>(code);
}

std::string ReadFileText(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string text(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(read);
  return text;
}

void WriteFileText(const std::wstring& path, const std::string& text) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

void PressAltT() {
  INPUT keys[4] = {};
  const WORD order[4][2] = {
      {VK_MENU, 0}, {'T', 0}, {'T', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i][0];
    keys[i].ki.dwFlags = order[i][1];
  }
  SendInput(4, keys, sizeof(INPUT));
}

HKEY OpenClasses(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  const std::wstring path = L"Software\\Classes\\" + key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS ? opened
                                                                                  : nullptr;
}

std::wstring DefaultValue(HKEY root, const std::wstring& key) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  const std::wstring path = L"Software\\Classes\\" + key;
  RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

const wchar_t kClass[] = L"CLSID\\{B69003B3-C55E-4B48-836C-BC5946FC3B28}";
const wchar_t kLibrary[] = L"TypeLib\\{E02AD29E-80F5-46C6-B416-9B3EBDDF057E}";
const wchar_t kMessenger3[] = L"Interface\\{D50C3386-0F89-48F8-B204-3604629DEE10}";
const wchar_t kEvents[] = L"Interface\\{C9A6A6B6-9BC1-43A5-B06B-E58874EEBC96}";

// The suites run in the order of this file: registration, the road, unregistration.
TEST(Registration, RegistersTheMessengerClassForTheCurrentUser) {
  ASSERT_EQ(Msgrsim(L"/regserver"), 0);
  const std::wstring server =
      DefaultValue(HKEY_CURRENT_USER, kClass + std::wstring(L"\\LocalServer32"));
  EXPECT_NE(server.find(L"msgrsim.exe"), std::wstring::npos) << server.c_str();
  EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kMessenger3 + std::wstring(L"\\ProxyStubClsid32")),
            L"{00020424-0000-0000-C000-000000000046}");
  EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kEvents + std::wstring(L"\\ProxyStubClsid32")),
            L"{00020420-0000-0000-C000-000000000046}");
  const wchar_t* platform = sizeof(void*) == 8 ? L"\\1.0\\0\\win64" : L"\\1.0\\0\\win32";
  EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kLibrary + std::wstring(platform)),
            server.substr(1, server.size() - 2));
}

class MessengerClient : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"msgrsim-test-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    log_ = folder_ + L"\\calls.log";
    // The second friendly name checks that text crosses both ways intact.
    WriteFileText(
        folder_ + L"\\contacts.txt",
        "alice@example.com Alice Liddell\r\nbob@example.com \xE3\x83\x9C\xE3\x83\x96\r\n");
    // A script names files beside itself.
    WriteFileText(folder_ + L"\\setup.txt", "# the contact list\r\ncontacts contacts.txt\r\n");
    messenger_ = Start(Arguments());
    ASSERT_TRUE(messenger_);
    ASSERT_TRUE(PumpUntil([&] { return Contains(Log(), "ready"); })) << Log();
  }
  void TearDown() override {
    if (messenger_ && WaitForSingleObject(messenger_->info.hProcess, 0) == WAIT_TIMEOUT) {
      Msgrsim(L"quit");
      if (!PumpUntil([&] { return WaitForSingleObject(messenger_->info.hProcess, 0) == 0; })) {
        TerminateProcess(messenger_->info.hProcess, 1);
      }
    }
    DeleteFileW(log_.c_str());
    DeleteFileW((folder_ + L"\\contacts.txt").c_str());
    DeleteFileW((folder_ + L"\\setup.txt").c_str());
    RemoveDirectoryW(folder_.c_str());
    CoUninitialize();
  }

  std::string Log() const { return ReadFileText(log_); }
  virtual std::wstring Arguments() {
    return L"/log \"" + log_ + L"\" /script \"" + folder_ + L"\\setup.txt\"";
  }

  std::wstring folder_;
  std::wstring log_;
  std::unique_ptr<Process> messenger_;
};

// A client that looks for the messenger's events by enumeration finds the one point, for
// DMessengerEvents, and an advise made through it reaches the same sinks as FindConnectionPoint's.
TEST_F(MessengerClient, EnumeratesItsConnectionPointThroughAnotherProcess) {
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(CoCreateInstance(dorvane::win32::kClsidMessenger, nullptr, CLSCTX_SERVER,
                             IID_IConnectionPointContainer, container.PutVoid()),
            S_OK);
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(container->EnumConnectionPoints(points.Put()), S_OK);
  ASSERT_TRUE(points);

  IConnectionPoint* found[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(2, found, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  const ComPtr<IConnectionPoint> point = ComPtr<IConnectionPoint>::Adopt(found[0]);
  IID events = {};
  ASSERT_EQ(point->GetConnectionInterface(&events), S_OK);
  EXPECT_TRUE(IsEqualIID(events, dorvane::win32::kDiidMessengerEvents));
  ComPtr<IConnectionPointContainer> back;
  ASSERT_EQ(point->GetConnectionPointContainer(back.Put()), S_OK);
  EXPECT_TRUE(back);

  EXPECT_EQ(points->Next(1, found, &fetched), S_FALSE) << "the end stays the end";
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(points->Reset(), S_OK);
  EXPECT_EQ(points->Skip(2), S_FALSE);
  ComPtr<IEnumConnectionPoints> copy;
  ASSERT_EQ(points->Clone(copy.Put()), S_OK);
  ASSERT_EQ(copy->Reset(), S_OK);
  ASSERT_EQ(copy->Next(1, found, nullptr), S_OK);
  const ComPtr<IConnectionPoint> again = ComPtr<IConnectionPoint>::Adopt(found[0]);
  ASSERT_EQ(again->GetConnectionInterface(&events), S_OK);
  EXPECT_TRUE(IsEqualIID(events, dorvane::win32::kDiidMessengerEvents));
}

TEST_F(MessengerClient, WalksTheRoadOfTheProgramThroughAnotherProcess) {
  dorvane::win32::PostedCalls calls;
  std::vector<std::shared_ptr<MessengerWindow>> created;
  const DWORD programThread = GetCurrentThreadId();
  DWORD eventThread = 0;
  dorvane::win32::ComMessengerClient client(calls, [&](std::shared_ptr<MessengerWindow> window) {
    eventThread = GetCurrentThreadId();
    created.push_back(std::move(window));
  });
  std::shared_ptr<dorvane::Messenger> messenger = client.CreateMessenger();

  ASSERT_EQ(Msgrsim(L"status offline"), 0);
  EXPECT_EQ(messenger->MyStatus(), dorvane::kStatusOffline);
  ASSERT_EQ(Msgrsim(L"status online"), 0);
  EXPECT_EQ(messenger->MyStatus(), 2);

  const auto contacts = messenger->MyContacts();
  ASSERT_EQ(contacts->Count(), 2);
  EXPECT_EQ(contacts->Item(0)->SigninName(), "alice@example.com");
  EXPECT_EQ(contacts->Item(0)->FriendlyName(), "Alice Liddell");
  EXPECT_EQ(contacts->Item(1)->FriendlyName(), "\xE3\x83\x9C\xE3\x83\x96");
  try {
    messenger->GetContact("nobody@example.com", "");
    ADD_FAILURE() << "GetContact of an unknown name returned";
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, static_cast<int32_t>(0x8100030A));  // MSGR_E_USER_NOT_FOUND
    EXPECT_TRUE(Contains(failure.Description, "nobody@example.com")) << failure.Description;
  }

  // A call from the handset: the window comes back, and its event, which the messenger sends
  // while the program goes on calling, reaches the program only from its message loop.
  const auto bob = messenger->GetContact("bob@example.com", "");
  const auto call = messenger->StartVoice(bob);
  const HWND window = reinterpret_cast<HWND>(call->HWND());
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  EXPECT_EQ(owner, messenger_->info.dwProcessId);
  EXPECT_FALSE(call->IsClosed());
  EXPECT_FALSE(Contains(call->History(), "Alt+T"));
  EXPECT_TRUE(created.empty());
  ASSERT_TRUE(PumpUntil([&] { return created.size() == 1; }));
  EXPECT_EQ(eventThread, programThread);
  ASSERT_TRUE(created[0]);
  EXPECT_EQ(reinterpret_cast<HWND>(created[0]->HWND()), window);
  messenger->SetMyStatus(dorvane::kStatusOnThePhone);
  ASSERT_EQ(Msgrsim(L"append last The voice conversation has ended."), 0);
  EXPECT_TRUE(Contains(call->History(), "has ended")) << call->History();
  call->Close();
  EXPECT_TRUE(call->IsClosed());
  EXPECT_FALSE(IsWindow(window));

  // An invitation from the control surface, accepted with Alt+T in front.
  std::string printed;
  ASSERT_EQ(Msgrsim(L"invite bob@example.com", &printed), 0);
  EXPECT_EQ(printed, "2");
  ASSERT_TRUE(PumpUntil([&] { return created.size() == 2; }));
  const auto invitation = created[1];
  ASSERT_TRUE(invitation);
  EXPECT_TRUE(Contains(invitation->History(), "Alt+T"));
  const HWND front = reinterpret_cast<HWND>(invitation->HWND());
  ShowWindow(front, SW_SHOWNORMAL);
  // Another process's window comes to the front when its thread has seen the switch.
  ASSERT_TRUE(
      PumpUntil([&] { return SetForegroundWindow(front) && GetForegroundWindow() == front; }));
  PressAltT();
  EXPECT_TRUE(PumpUntil([&] { return Contains(invitation->History(), "accepted"); }))
      << invitation->History();
  ASSERT_EQ(Msgrsim(L"close 2"), 0);
  EXPECT_TRUE(invitation->IsClosed());
  EXPECT_NE(Msgrsim(L"invite nobody@example.com"), 0);

  // A text conversation opened by a contact: its window announced, no Alt+T in it.
  ASSERT_EQ(Msgrsim(L"chat alice@example.com Are you there?", &printed), 0);
  EXPECT_EQ(printed, "3");
  ASSERT_TRUE(PumpUntil([&] { return created.size() == 3; }));
  ASSERT_TRUE(created[2]);
  EXPECT_TRUE(Contains(created[2]->History(), "Are you there?"));
  EXPECT_FALSE(Contains(created[2]->History(), "Alt+T"));

  const std::string log = Log();
  for (const char* line :
       {"call MyStatus -> 1", "call MyStatus = 50",
        "call StartVoice contact \"bob@example.com\" -> window 1", "call window 1 Close",
        "window 2 keys Alt+T accepted", "event OnIMWindowCreated window 2 to 1 sink(s)"}) {
    EXPECT_TRUE(Contains(log, line)) << line << "\n" << log;
  }

  // The messenger gone: a call fails with the system's text for its HRESULT.
  // Ending, msgrsim releases this thread's sink: a call back here, which needs the messages moving.
  ASSERT_EQ(Msgrsim(L"quit"), 0);
  ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(messenger_->info.hProcess, 0) == 0; }));
  try {
    messenger->MyStatus();
    ADD_FAILURE() << "MyStatus answered after msgrsim ended";
  } catch (const RuntimeError& failure) {
    EXPECT_LT(failure.Number, 0);
    EXPECT_FALSE(failure.Description.empty());
    EXPECT_FALSE(Contains(failure.Description, "Error 0x")) << failure.Description;
  }
}

// A baresip's ctrl_tcp as the far end of the call, driven by the test: commands out, every event
// kept.
class FarEnd {
 public:
  explicit FarEnd(int port) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    u_long nonBlocking = 1;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
  }
  ~FarEnd() {
    closesocket(socket_);
    WSACleanup();
  }
  bool Connected() const { return connected_; }

  void Command(const std::string& command, const std::string& params = "") {
    std::string json = "{\"command\":\"" + command + "\",\"token\":\"t\"";
    if (!params.empty()) json += ",\"params\":\"" + params + "\"";
    json += "}";
    const std::string bytes = std::to_string(json.size()) + ":" + json + ",";
    send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
  }
  // Whether text arrived `count` times since the start; keeps this thread's messages moving.
  bool Heard(const std::string& text, size_t count = 1) {
    return PumpUntil([&] {
      char buffer[4096];
      int got = 0;
      while ((got = recv(socket_, buffer, sizeof buffer, 0)) > 0) received_.append(buffer, got);
      return Occurrences(text) >= count;
    });
  }

 private:
  size_t Occurrences(const std::string& text) const {
    size_t count = 0;
    for (size_t at = received_.find(text); at != std::string::npos;
         at = received_.find(text, at + 1)) {
      ++count;
    }
    return count;
  }

  SOCKET socket_ = INVALID_SOCKET;
  bool connected_ = false;
  std::string received_;
};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Run only by tests/win32/msgrsim_sip.py, which starts two baresips on loopback: "ours", whose
// ctrl_tcp msgrsim reaches, and "theirs", its one contact, driven here.
class SipMessenger : public MessengerClient {
 protected:
  void SetUp() override {
    ours_ = Environment("MSGRSIM_SIP_OURS");
    oursUri_ = Environment("MSGRSIM_SIP_OURS_URI");
    theirsUri_ = Environment("MSGRSIM_SIP_THEIRS_URI");
    theirsCtrl_ = std::atoi(Environment("MSGRSIM_SIP_THEIRS_CTRL").c_str());
    ASSERT_FALSE(ours_.empty() || oursUri_.empty() || theirsUri_.empty() || theirsCtrl_ == 0)
        << "run through msgrsim_sip.py";
    MessengerClient::SetUp();
  }
  std::wstring Arguments() override {
    return L"/log \"" + log_ + L"\" /sip " + std::wstring(ours_.begin(), ours_.end());
  }

  std::string ours_;
  std::string oursUri_;
  std::string theirsUri_;
  int theirsCtrl_ = 0;
};

TEST(SipMessengerStart, EndsWithAnExitCodeWhenNoBaresipAnswers) {
  // No msgrsim runs here yet, so the code is about baresip, not a second instance.
  ASSERT_EQ(FindWindowW(L"MsgrsimMain", nullptr), nullptr);
  EXPECT_EQ(Msgrsim(L"/sip 127.0.0.1:15399"), 1);
  EXPECT_EQ(Msgrsim(L"/sip nohost"), 1);
}

TEST_F(SipMessenger, CallsAndAnswersThroughBaresip) {
  FarEnd theirs(theirsCtrl_);
  ASSERT_TRUE(theirs.Connected());
  dorvane::win32::PostedCalls calls;
  std::vector<std::shared_ptr<MessengerWindow>> created;
  dorvane::win32::ComMessengerClient client(calls, [&](std::shared_ptr<MessengerWindow> window) {
    created.push_back(std::move(window));
  });
  std::shared_ptr<dorvane::Messenger> messenger = client.CreateMessenger();

  EXPECT_EQ(messenger->MyStatus(), 2);
  messenger->SetMyStatus(dorvane::kStatusOnThePhone);
  EXPECT_EQ(messenger->MyStatus(), dorvane::kStatusOnThePhone);
  const auto contacts = messenger->MyContacts();
  ASSERT_EQ(contacts->Count(), 1);
  EXPECT_EQ(contacts->Item(0)->SigninName(), theirsUri_);
  EXPECT_EQ(contacts->Item(0)->FriendlyName(), "Theirs");
  try {
    messenger->GetContact("sip:nobody@127.0.0.1", "");
    ADD_FAILURE() << "GetContact of a non-contact returned";
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number, static_cast<int32_t>(0x8100030A));
    EXPECT_TRUE(Contains(failure.Description, "sip:nobody@127.0.0.1")) << failure.Description;
  }
  // The scripts' commands have no place beside baresip; the conversations' text has.
  EXPECT_NE(Msgrsim(L"invite " + std::wstring(theirsUri_.begin(), theirsUri_.end())), 0);

  // Our call, answered and ended by the far end.
  const auto call = messenger->StartVoice(messenger->GetContact(theirsUri_, ""));
  EXPECT_TRUE(Contains(call->History(), "You have invited Theirs to a voice conversation"))
      << call->History();
  DWORD owner = 0;
  GetWindowThreadProcessId(reinterpret_cast<HWND>(call->HWND()), &owner);
  EXPECT_EQ(owner, messenger_->info.dwProcessId);
  ASSERT_TRUE(PumpUntil([&] { return created.size() == 1; }));
  EXPECT_EQ(created[0]->HWND(), call->HWND());
  ASSERT_TRUE(theirs.Heard("CALL_INCOMING"));
  theirs.Command("accept");
  EXPECT_TRUE(PumpUntil([&] { return Contains(call->History(), "has started"); }))
      << call->History();
  theirs.Command("hangup");
  EXPECT_TRUE(PumpUntil([&] {
    return Contains(call->History(), "The voice conversation has ended.");
  })) << call->History();
  call->Close();
  EXPECT_TRUE(call->IsClosed());
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(call->HWND())));

  // Their call, accepted with Alt+T to its window in front.
  theirs.Command("dial", oursUri_);
  ASSERT_TRUE(PumpUntil([&] { return created.size() == 2; }));
  const auto invitation = created[1];
  EXPECT_TRUE(Contains(invitation->History(),
                       "would like to have a voice conversation with you. Press Alt+T"))
      << invitation->History();
  const HWND front = reinterpret_cast<HWND>(invitation->HWND());
  ShowWindow(front, SW_SHOWNORMAL);
  ASSERT_TRUE(
      PumpUntil([&] { return SetForegroundWindow(front) && GetForegroundWindow() == front; }));
  PressAltT();
  // The first came with our call.
  EXPECT_TRUE(theirs.Heard("CALL_ESTABLISHED", 2));
  EXPECT_TRUE(PumpUntil([&] { return Contains(invitation->History(), "has started"); }))
      << invitation->History();
  std::string printed;
  EXPECT_EQ(Msgrsim(L"history 2", &printed), 0);
  EXPECT_TRUE(Contains(printed, "has started")) << printed;
  theirs.Command("hangup");
  EXPECT_TRUE(PumpUntil([&] { return Contains(invitation->History(), "has ended"); }))
      << invitation->History();
}

TEST(Unregistration, LeavesNothingBehind) {
  ASSERT_EQ(Msgrsim(L"/unregserver"), 0);
  for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    for (const wchar_t* key : {kClass, kLibrary, kMessenger3, kEvents}) {
      const HKEY left = OpenClasses(root, key);
      EXPECT_EQ(left, nullptr) << "left behind: " << std::string(key, key + lstrlenW(key));
      if (left) RegCloseKey(left);
    }
  }
}

}  // namespace

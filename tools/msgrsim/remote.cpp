#include "remote.h"

#include "console.h"

namespace msgrsim {
namespace {

constexpr ULONG_PTR kRequest = 0x4D534731;  // "MSG1"
constexpr ULONG_PTR kDone = 1;
constexpr ULONG_PTR kRefused = 2;
constexpr wchar_t kAnswerClass[] = L"MsgrsimAnswer";

struct Answer {
  bool received = false;
  CommandResult result;
};

LRESULT CALLBACK AnswerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* answer = reinterpret_cast<Answer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (answer && (data->dwData == kDone || data->dwData == kRefused)) {
      answer->received = true;
      answer->result.ok = data->dwData == kDone;
      answer->result.text.assign(static_cast<const wchar_t*>(data->lpData),
                                 data->cbData / sizeof(wchar_t));
      return TRUE;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  return std::wstring(folder, length < MAX_PATH ? length : 0);
}

}  // namespace

int Forward(const std::vector<std::wstring>& args) {
  const HWND running = FindWindowW(kMainWindowClass, nullptr);
  if (!running) {
    PrintError(L"msgrsim: no msgrsim is running");
    return 1;
  }
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = AnswerProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kAnswerClass;
  RegisterClassW(&windowClass);
  const HWND own = CreateWindowExW(0, kAnswerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  Answer answer;
  SetWindowLongPtrW(own, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));

  // The folder first, then the words, each ended by a null character.
  std::wstring request = CurrentFolder() + L'\0';
  for (const std::wstring& arg : args) request += arg + L'\0';
  COPYDATASTRUCT data = {kRequest, static_cast<DWORD>(request.size() * sizeof(wchar_t)),
                         &request[0]};
  SendMessageW(running, WM_COPYDATA, reinterpret_cast<WPARAM>(own),
               reinterpret_cast<LPARAM>(&data));
  DestroyWindow(own);

  if (!answer.received) {
    PrintError(L"msgrsim: the running msgrsim did not answer");
    return 1;
  }
  if (!answer.result.ok) {
    PrintError(L"msgrsim: " + answer.result.text);
    return 1;
  }
  if (!answer.result.text.empty()) PrintOutput(answer.result.text);
  return 0;
}

bool ReadRequest(const COPYDATASTRUCT& data, std::wstring& folder,
                 std::vector<std::wstring>& args) {
  if (data.dwData != kRequest || !data.lpData) return false;
  const std::wstring request(static_cast<const wchar_t*>(data.lpData),
                             data.cbData / sizeof(wchar_t));
  std::vector<std::wstring> words;
  size_t start = 0;
  for (size_t end; (end = request.find(L'\0', start)) != std::wstring::npos; start = end + 1) {
    words.push_back(request.substr(start, end - start));
  }
  if (words.empty()) return false;
  folder = words.front();
  args.assign(words.begin() + 1, words.end());
  return true;
}

void SendAnswer(HWND caller, HWND from, const CommandResult& result) {
  COPYDATASTRUCT data = {result.ok ? kDone : kRefused,
                         static_cast<DWORD>(result.text.size() * sizeof(wchar_t)),
                         const_cast<wchar_t*>(result.text.data())};
  SendMessageW(caller, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
               reinterpret_cast<LPARAM>(&data));
}

}  // namespace msgrsim

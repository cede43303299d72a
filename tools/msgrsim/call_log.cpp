#include "call_log.h"

#include "text.h"

namespace msgrsim {

CallLog::CallLog(const std::wstring& path) {
  if (path.empty()) return;
  file_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

CallLog::~CallLog() {
  if (IsOpen()) CloseHandle(file_);
}

void CallLog::Line(const std::string& text) {
  if (!IsOpen()) return;
  const std::string line = text + "\r\n";
  DWORD written = 0;
  // Unbuffered: each line is in the file when this returns.
  WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string Utf8(const std::wstring& text) { return WideToUtf8(text.data(), text.size()); }

std::string Quoted(const std::wstring& text) {
  std::wstring escaped = L"\"";
  for (const wchar_t c : text) {
    switch (c) {
      case L'\\':
        escaped += L"\\\\";
        break;
      case L'"':
        escaped += L"\\\"";
        break;
      case L'\r':
        escaped += L"\\r";
        break;
      case L'\n':
        escaped += L"\\n";
        break;
      default:
        escaped += c;
    }
  }
  return Utf8(escaped + L"\"");
}

}  // namespace msgrsim

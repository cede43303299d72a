#include "console.h"

#include <windows.h>

#include "call_log.h"

namespace msgrsim {
namespace {

HANDLE Handle(DWORD which) {
  const HANDLE given = GetStdHandle(which);
  if (given && given != INVALID_HANDLE_VALUE) return given;
  static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
  if (!attached) return INVALID_HANDLE_VALUE;
  static const HANDLE console =
      CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  return console;
}

void Print(DWORD which, const std::wstring& line) {
  const HANDLE handle = Handle(which);
  if (handle == INVALID_HANDLE_VALUE) return;
  const std::string text = Utf8(line) + "\n";
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void PrintOutput(const std::wstring& line) { Print(STD_OUTPUT_HANDLE, line); }
void PrintError(const std::wstring& line) { Print(STD_ERROR_HANDLE, line); }

}  // namespace msgrsim

#include "trace.h"

#include <cstdarg>
#include <cstdio>

void Trace(const char* format, ...) {
  // Asked at every line: a host may turn it on or off while it runs.
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("TONVEX_TRACE", path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  FILE* file = std::fopen(path, "a");
  if (!file) return;
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(file, format, arguments);
  va_end(arguments);
  std::fputc('\n', file);
  std::fclose(file);
}

HRESULT NotImplemented(const char* member) {
  Trace("%s: not implemented", member);
  return E_NOTIMPL;
}

HRESULT NoInterface(const char* object, REFIID iid) {
  wchar_t text[40] = L"";
  StringFromGUID2(iid, text, 40);
  char ansi[40] = "";
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
  Trace("%s: no interface %s", object, ansi);
  return E_NOINTERFACE;
}

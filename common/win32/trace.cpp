#include "trace.h"

#include <cstdarg>
#include <cstdio>

#include "text.h"

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
  const int length = StringFromGUID2(iid, text, 40);
  Trace("%s: no interface %s", object, WideToUtf8(text, length > 0 ? length - 1 : 0).c_str());
  return E_NOINTERFACE;
}

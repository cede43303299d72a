#include "text.h"

std::wstring Utf8ToWide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

std::string WideToUtf8(const wchar_t* wide, size_t length) {
  if (!wide || length == 0) return std::string();
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), &utf8[0], bytes, nullptr,
                      nullptr);
  return utf8;
}

std::string Utf8ToAnsi(const std::string& utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  if (wide.empty()) return std::string();
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], bytes,
                      nullptr, nullptr);
  return ansi;
}

std::string AnsiToUtf8(const std::string& ansi) {
  if (ansi.empty()) return std::string();
  const int length =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], length);
  return WideToUtf8(wide.data(), wide.size());
}

BSTR Utf8ToBstr(const std::string& utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

// Text at the platform edge: the core speaks UTF-8, COM speaks UTF-16, PlayDtmf gets ANSI bytes.
#pragma once

#include <windows.h>

#include <string>

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const wchar_t* wide, size_t length);
// UTF-8 text as the bytes of the system's ANSI code page.
std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);
// A new BSTR holding the text; the caller frees it.
BSTR Utf8ToBstr(const std::string& utf8);

// The log of every call a client made and of what happened in the messenger's world: one UTF-8
// line each, written through to the file as it happens, so that a test can read it at any time.
#pragma once

#include <windows.h>

#include <string>

namespace msgrsim {

class CallLog {
 public:
  // An empty path keeps no file.
  explicit CallLog(const std::wstring& path);
  ~CallLog();
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  void Line(const std::string& text);

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

std::string Utf8(const std::wstring& text);
// The text in double quotes, with backslash, quote, CR and LF escaped: one line whatever it holds.
std::string Quoted(const std::wstring& text);

}  // namespace msgrsim

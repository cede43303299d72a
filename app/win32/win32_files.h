// The files beside the program on Windows: UTF-8 paths become wide ones, the two text files
// are in the system's ANSI code page.
#pragma once

#include "file_system.h"
#include "windows_prelude.h"

namespace dorvane::win32 {

// Everything up to the end of the file; a failing read is a failure, never a short file.
std::string ReadWhole(HANDLE file);

class Win32Files : public FileSystem {
 public:
  std::string Dir(const std::string& path) override;
  std::string ReadAll(const std::string& path) override;
  std::vector<std::string> Names(const std::string& folder) override;
  void ReplaceFile(const std::string& path, const std::string& bytes) override;
  void Copy(const std::string& from, const std::string& to) override;
  void Kill(const std::string& path) override;
  void CheckWritable(const std::string& path) override;
  std::string ToAnsi(const std::string& utf8) override;
  std::string FromAnsi(const std::string& ansi) override;
};

}  // namespace dorvane::win32

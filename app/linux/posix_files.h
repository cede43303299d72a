// The program's files on Linux: paths are UTF-8 already and so are the text files, so the
// "ANSI" conversions are the identity.
#pragma once

#include "file_system.h"

namespace dorvane::linux_host {

class PosixFiles : public FileSystem {
 public:
  std::string Dir(const std::string& path) override;
  std::string ReadAll(const std::string& path) override;
  void ReplaceFile(const std::string& path, const std::string& bytes) override;
  std::vector<std::string> Names(const std::string& folder) override;
  void Copy(const std::string& from, const std::string& to) override;
  void Kill(const std::string& path) override;
  void CheckWritable(const std::string& path) override;
  std::string ToAnsi(const std::string& utf8) override { return utf8; }
  std::string FromAnsi(const std::string& ansi) override { return ansi; }
};

// The failure a file operation reports for the system's error number.
[[noreturn]] void ThrowFileError(int error);

}  // namespace dorvane::linux_host

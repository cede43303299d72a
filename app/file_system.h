// Port: the files beside the program, as bytes, and the system's ANSI code page they are in.
// Failures: 53 "File not found", 75 "Path/File access error", 70 "Permission denied",
// 61 "Disk full", 58 "File already exists".
#pragma once

#include <string>
#include <vector>

namespace dorvane {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The file's name when a directory listing finds it, else the empty string.
  virtual std::string Dir(const std::string& path) = 0;
  virtual std::string ReadAll(const std::string& path) = 0;
  // Writes the whole file under a temporary name beside it and renames it into place only
  // when complete, so a failure leaves the old file as it was.
  virtual void ReplaceFile(const std::string& path, const std::string& bytes) = 0;
  // The names of everything in the folder, files and folders alike, in no particular order.
  virtual std::vector<std::string> Names(const std::string& folder) = 0;
  // Copies whole or not at all, as ReplaceFile writes, and never over an existing `to`.
  virtual void Copy(const std::string& from, const std::string& to) = 0;
  virtual void Kill(const std::string& path) = 0;
  // Fails as a write would, without creating or changing the file.
  virtual void CheckWritable(const std::string& path) = 0;

  virtual std::string ToAnsi(const std::string& utf8) = 0;
  virtual std::string FromAnsi(const std::string& ansi) = 0;
};

}  // namespace dorvane

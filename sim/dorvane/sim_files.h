// The program's folder: a temporary directory that the program sees as C:\Dorvane, with the
// files the script puts there. Writes, copies and deletions appear in the transcript.
#pragma once

#include <string>
#include <vector>

#include "file_system.h"
#include "transcript.h"

namespace sim {

// A name that stays inside the folder it is joined to: not empty, no control character (NUL
// included), no slash or backslash, not made of dots only.
bool IsPlainFileName(const std::string& name);

class SimFiles : public dorvane::FileSystem {
 public:
  static constexpr const char* kProgramFolder = "C:\\Dorvane";

  // Makes the folder; it goes with the object.
  explicit SimFiles(Transcript& transcript);
  ~SimFiles() override;
  SimFiles(const SimFiles&) = delete;
  SimFiles& operator=(const SimFiles&) = delete;

  // The script's hand: files as they are, no transcript. A name that is not plain throws
  // std::invalid_argument and touches nothing.
  void Put(const std::string& name, const std::string& bytes);
  void Remove(const std::string& name);
  void Block(const std::string& name);
  // A full disk: writing bytes fails with 61 "Disk full" (after the file is created, as on a
  // real disk); deleting and renaming still work.
  void SetDiskFull(bool full) { diskFull_ = full; }
  // "file NAME \"...\"", "file NAME absent" or "file NAME blocked".
  std::string Describe(const std::string& name) const;

  std::string Dir(const std::string& path) override;
  std::string ReadAll(const std::string& path) override;
  std::vector<std::string> Names(const std::string& folder) override;
  void ReplaceFile(const std::string& path, const std::string& bytes) override;
  void Copy(const std::string& from, const std::string& to) override;
  void Kill(const std::string& path) override;
  void CheckWritable(const std::string& path) override;
  // The simulated system's code page is UTF-8.
  std::string ToAnsi(const std::string& utf8) override { return utf8; }
  std::string FromAnsi(const std::string& ansi) override { return ansi; }

 private:
  // The real path of a file the program names; fails with 75 outside the program's folder.
  std::string RealPath(const std::string& programPath) const;
  std::string NameOf(const std::string& programPath) const;
  std::string PathOfPlain(const std::string& name) const;
  // Writes `bytes` beside `real` under a temporary name and returns that name; on failure the
  // temporary file is gone.
  std::string WriteTemporary(const std::string& real, const std::string& bytes);

  Transcript& transcript_;  // not owned
  std::string folder_;
  bool diskFull_ = false;
};

}  // namespace sim

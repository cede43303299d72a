#include "sim_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "quoting.h"
#include "runtime_error.h"

namespace sim {
namespace {

namespace fs = std::filesystem;
using dorvane::RuntimeError;
namespace failure = dorvane::failure;

RuntimeError FailureOf(int error) {
  switch (error) {
    case ENOENT:
      return failure::FileNotFound();
    case EACCES:
    case EPERM:
    case EROFS:
      return failure::PermissionDenied();
    case ENOSPC:
      return failure::DiskFull();
    default:
      return failure::PathFileAccessError();
  }
}

std::string ReadBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) throw FailureOf(errno);
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      throw FailureOf(error);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) throw FailureOf(errno);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (put < 0) {
      const int error = errno;
      ::close(fd);
      throw FailureOf(error);
    }
    written += static_cast<size_t>(put);
  }
  if (::close(fd) != 0) throw FailureOf(errno);
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  if (name.find_first_not_of('.') == std::string::npos) return false;  // also the empty name
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

SimFiles::SimFiles(Transcript& transcript) : transcript_(transcript) {
  std::string pattern = (fs::temp_directory_path() / "dorvane-sim-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::system_error(errno, std::generic_category(), pattern);
  folder_ = pattern;
}

SimFiles::~SimFiles() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::string SimFiles::NameOf(const std::string& programPath) const {
  const std::string prefix = std::string(kProgramFolder) + "\\";
  if (programPath.compare(0, prefix.size(), prefix) != 0) return "";
  const std::string name = programPath.substr(prefix.size());
  return IsPlainFileName(name) ? name : "";
}

std::string SimFiles::RealPath(const std::string& programPath) const {
  const std::string name = NameOf(programPath);
  if (name.empty()) throw failure::PathFileAccessError();
  return folder_ + "/" + name;
}

std::string SimFiles::PathOfPlain(const std::string& name) const {
  if (!IsPlainFileName(name)) throw std::invalid_argument("not a plain file name: " + Quote(name));
  return folder_ + "/" + name;
}

void SimFiles::Put(const std::string& name, const std::string& bytes) {
  Remove(name);
  WriteBytes(PathOfPlain(name), bytes);
}

void SimFiles::Remove(const std::string& name) { fs::remove_all(PathOfPlain(name)); }

void SimFiles::Block(const std::string& name) {
  Remove(name);
  fs::create_directory(PathOfPlain(name));
}

std::string SimFiles::Describe(const std::string& name) const {
  const std::string path = PathOfPlain(name);
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) return name + " absent";
  if (fs::is_directory(status)) return name + " blocked";
  return name + " " + Quote(ReadBytes(path));
}

std::string SimFiles::Dir(const std::string& path) {
  const std::string name = NameOf(path);
  std::error_code error;
  if (name.empty() || !fs::exists(folder_ + "/" + name, error)) return "";
  return name;
}

std::string SimFiles::ReadAll(const std::string& path) { return ReadBytes(RealPath(path)); }

std::vector<std::string> SimFiles::Names(const std::string& folder) {
  if (folder != kProgramFolder) throw failure::PathFileAccessError();
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

std::string SimFiles::WriteTemporary(const std::string& real, const std::string& bytes) {
  const std::string temporary = real + ".tmp";
  try {
    WriteBytes(temporary, diskFull_ && !bytes.empty() ? "" : bytes);
    if (diskFull_ && !bytes.empty()) throw failure::DiskFull();
  } catch (const RuntimeError&) {
    ::unlink(temporary.c_str());
    throw;
  }
  return temporary;
}

void SimFiles::ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string real = RealPath(path);
  const std::string temporary = WriteTemporary(real, bytes);
  if (::rename(temporary.c_str(), real.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw FailureOf(error);
  }
  transcript_.Add("file", "write " + NameOf(path) + " " + Quote(bytes));
}

void SimFiles::Copy(const std::string& from, const std::string& to) {
  const std::string real = RealPath(to);
  const std::string temporary = WriteTemporary(real, ReadBytes(RealPath(from)));
  // A link, unlike a rename, never replaces what is there.
  const int linked = ::link(temporary.c_str(), real.c_str());
  const int error = errno;
  ::unlink(temporary.c_str());
  if (linked != 0) throw error == EEXIST ? failure::FileAlreadyExists() : FailureOf(error);
  transcript_.Add("file", "copy " + NameOf(from) + " " + NameOf(to));
}

void SimFiles::Kill(const std::string& path) {
  if (::unlink(RealPath(path).c_str()) != 0) throw FailureOf(errno);
  transcript_.Add("file", "delete " + NameOf(path));
}

void SimFiles::CheckWritable(const std::string& path) {
  const std::string real = RealPath(path);
  int fd = ::open(real.c_str(), O_WRONLY | O_APPEND);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(real.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) ::unlink(real.c_str());
  }
  if (fd < 0) throw FailureOf(errno);
  ::close(fd);
}

}  // namespace sim

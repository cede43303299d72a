#include "posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "runtime_error.h"

namespace dorvane::linux_host {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closing reports the last write's failure on some file systems.
  void Close() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) ThrowFileError(errno);
  }

 private:
  int fd_;
};

void WriteWhole(const std::string& path, const std::string& bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.get() < 0) ThrowFileError(errno);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t step = ::write(file.get(), bytes.data() + written, bytes.size() - written);
    if (step < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(errno);
    }
    written += static_cast<size_t>(step);
  }
  if (::fsync(file.get()) != 0) ThrowFileError(errno);
  file.Close();
}

}  // namespace

void ThrowFileError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      throw failure::FileNotFound();
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      throw failure::PermissionDenied();
    case ENOSPC:
    case EDQUOT:
      throw failure::DiskFull();
    case EEXIST:
      throw failure::FileAlreadyExists();
    default:
      throw failure::PathFileAccessError();
  }
}

std::string PosixFiles::Dir(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return "";
  return path.substr(path.find_last_of('/') + 1);
}

std::string PosixFiles::ReadAll(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) ThrowFileError(errno);
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(errno);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  return bytes;
}

void PosixFiles::ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  try {
    WriteWhole(temporary, bytes);
  } catch (const RuntimeError&) {
    ::unlink(temporary.c_str());
    throw;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    ThrowFileError(error);
  }
}

std::vector<std::string> PosixFiles::Names(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) ThrowFileError(errno);
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(listing);
  return names;
}

void PosixFiles::Copy(const std::string& from, const std::string& to) {
  const std::string temporary = to + ".new";
  try {
    WriteWhole(temporary, ReadAll(from));
  } catch (const RuntimeError&) {
    ::unlink(temporary.c_str());
    throw;
  }
  // A link, unlike a rename, never takes the place of a file already there.
  const int linked = ::link(temporary.c_str(), to.c_str());
  const int error = errno;
  ::unlink(temporary.c_str());
  if (linked != 0) ThrowFileError(error);
}

void PosixFiles::Kill(const std::string& path) {
  if (::unlink(path.c_str()) != 0) ThrowFileError(errno);
}

void PosixFiles::CheckWritable(const std::string& path) {
  const int existing = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (existing >= 0) {
    ::close(existing);
    return;
  }
  if (errno != ENOENT) ThrowFileError(errno);
  // A file that is not there yet: one made and gone again proves the folder takes it.
  const int made = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (made < 0) ThrowFileError(errno);
  ::close(made);
  ::unlink(path.c_str());
}

}  // namespace dorvane::linux_host

#include "win32_files.h"

#include <windows.h>

#include <algorithm>

#include "runtime_error.h"
#include "text.h"

namespace dorvane::win32 {
namespace {

RuntimeError FailureOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return failure::FileNotFound();
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return failure::PermissionDenied();
    default:
      return failure::PathFileAccessError();
  }
}

[[noreturn]] void ThrowLastError() { throw FailureOf(GetLastError()); }

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

void WriteWhole(const std::wstring& path, const std::string& bytes) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowLastError();
  size_t written = 0;
  while (written < bytes.size()) {
    DWORD step = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1 << 20));
    if (!WriteFile(file.Get(), bytes.data() + written, chunk, &step, nullptr)) ThrowLastError();
    written += step;
  }
  if (!FlushFileBuffers(file.Get())) ThrowLastError();
}

}  // namespace

std::string Win32Files::Dir(const std::string& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Utf8ToWide(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return "";
  FindClose(search);
  return WideToUtf8(found.cFileName, wcslen(found.cFileName));
}

std::string Win32Files::ReadAll(const std::string& path) {
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowLastError();
  std::string bytes;
  char buffer[64 * 1024];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  return bytes;
}

void Win32Files::ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::wstring target = Utf8ToWide(path);
  const std::wstring temporary = target + L".new";
  try {
    WriteWhole(temporary, bytes);
  } catch (const RuntimeError&) {
    DeleteFileW(temporary.c_str());
    throw;
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    throw FailureOf(error);
  }
}

void Win32Files::Copy(const std::string& from, const std::string& to) {
  if (!CopyFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), FALSE)) ThrowLastError();
}

void Win32Files::Kill(const std::string& path) {
  if (!DeleteFileW(Utf8ToWide(path).c_str())) ThrowLastError();
}

void Win32Files::CheckWritable(const std::string& path) {
  const std::wstring wide = Utf8ToWide(path);
  FileHandle existing(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (existing.Valid()) return;
  if (GetLastError() != ERROR_FILE_NOT_FOUND) ThrowLastError();
  // A file that is not there yet: one made and gone again proves the folder takes it.
  FileHandle made(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!made.Valid()) ThrowLastError();
}

std::string Win32Files::ToAnsi(const std::string& utf8) { return Utf8ToAnsi(utf8); }

std::string Win32Files::FromAnsi(const std::string& ansi) { return AnsiToUtf8(ansi); }

}  // namespace dorvane::win32

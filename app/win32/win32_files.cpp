#include "win32_files.h"

#include <windows.h>

#include <algorithm>

#include "file_failure.h"
#include "runtime_error.h"
#include "text.h"
#include "unique_handle.h"

namespace dorvane::win32 {
namespace {

// The opened file, or null with the system's error left for GetLastError.
UniqueHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                  DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  HANDLE opened = CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
  return UniqueHandle(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
}

void WriteWhole(const std::wstring& path, const std::string& bytes) {
  const UniqueHandle file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file) ThrowLastFileError();
  size_t written = 0;
  while (written < bytes.size()) {
    DWORD step = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1 << 20));
    if (!WriteFile(file.get(), bytes.data() + written, chunk, &step, nullptr)) ThrowLastFileError();
    written += step;
  }
  if (!FlushFileBuffers(file.get())) ThrowLastFileError();
}

}  // namespace

std::string Win32Files::Dir(const std::string& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Utf8ToWide(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return "";
  FindClose(search);
  return WideToUtf8(found.cFileName, wcslen(found.cFileName));
}

std::string ReadWhole(HANDLE file) {
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) ThrowLastFileError();
    if (read == 0) return bytes;
    bytes.append(buffer, read);
  }
}

std::string Win32Files::ReadAll(const std::string& path) {
  const UniqueHandle file = Open(Utf8ToWide(path), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) ThrowLastFileError();
  return ReadWhole(file.get());
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
    throw FileFailure(error);
  }
}

std::vector<std::string> Win32Files::Names(const std::string& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Utf8ToWide(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) ThrowLastFileError();
  std::vector<std::string> names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(WideToUtf8(name.data(), name.size()));
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) throw FileFailure(error);
  return names;
}

void Win32Files::Copy(const std::string& from, const std::string& to) {
  const std::wstring target = Utf8ToWide(to);
  const std::wstring temporary = target + L".new";
  if (!CopyFileW(Utf8ToWide(from).c_str(), temporary.c_str(), FALSE)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    throw FileFailure(error);
  }
  // Without MOVEFILE_REPLACE_EXISTING the move fails rather than overwrite another backup.
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    throw FileFailure(error);
  }
}

void Win32Files::Kill(const std::string& path) {
  if (!DeleteFileW(Utf8ToWide(path).c_str())) ThrowLastFileError();
}

void Win32Files::CheckWritable(const std::string& path) {
  const std::wstring wide = Utf8ToWide(path);
  if (Open(wide, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING)) return;
  if (GetLastError() != ERROR_FILE_NOT_FOUND) ThrowLastFileError();
  // A file that is not there yet: one made and gone again proves the folder takes it.
  if (!Open(wide, GENERIC_WRITE, 0, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE)) {
    ThrowLastFileError();
  }
}

std::string Win32Files::ToAnsi(const std::string& utf8) { return Utf8ToAnsi(utf8); }

std::string Win32Files::FromAnsi(const std::string& ansi) { return AnsiToUtf8(ansi); }

}  // namespace dorvane::win32

// What Dorvane.exe's resources and its picture loader give the program: the version data and
// icon the system reads, and the three ways a picture file can turn out.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app_info.h"
#include "back1_picture.h"
#include "ole_picture.h"
#include "resource_ids.h"
#include "runtime_error.h"
#include "text.h"

namespace {

using dorvane::win32::OlePicture;

std::wstring ModulePath() {
  wchar_t exe[MAX_PATH] = {};
  return std::wstring(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
}

std::wstring Folder() {
  const std::wstring path = ModulePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::string Utf8(const std::wstring& wide) { return WideToUtf8(wide.data(), wide.size()); }

std::wstring VersionString(const std::vector<uint8_t>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length)) return L"<missing>";
  return static_cast<const wchar_t*>(value);
}

TEST(ProgramResources, VersionDataAndIconAsTheSystemReadsThem) {
  const std::wstring path = ModulePath();
  DWORD ignored = 0;
  std::vector<uint8_t> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  // Major and minor, then 0 and the revision.
  const dorvane::AppVersion version = dorvane::kAppVersion;
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(version.Major << 16 | version.Minor));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(version.Revision));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(VersionString(info, L"FileVersion"), L"0.00.0001");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), L"0.00.0001");
  EXPECT_EQ(VersionString(info, L"ProductName"), Utf8ToWide(dorvane::kAppTitle));

  HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(IDI_PROGRAM), MAKEINTRESOURCEW(14));
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
  ASSERT_EQ(SizeofResource(nullptr, group), 6u + 2 * 14);
  for (int i = 0; i < 2; ++i) {
    const uint8_t* entry = directory + 6 + 14 * i;
    EXPECT_EQ(entry[0], i == 0 ? 32 : 16);
    EXPECT_EQ(entry[2], 16) << "colours";
  }
}

// The average colour of row `y` of a 32-bit top-down picture.
COLORREF RowColour(const uint32_t* pixels, int width, int y) {
  unsigned red = 0, green = 0, blue = 0;
  for (int x = 0; x < width; ++x) {
    const uint32_t bgrx = pixels[y * width + x];
    red += bgrx >> 16 & 0xFF;
    green += bgrx >> 8 & 0xFF;
    blue += bgrx & 0xFF;
  }
  return RGB(red / width, green / width, blue / width);
}

void ExpectNear(COLORREF got, int red, int green, int blue) {
  EXPECT_NEAR(GetRValue(got), red, 6);
  EXPECT_NEAR(GetGValue(got), green, 6);
  EXPECT_NEAR(GetBValue(got), blue, 6);
}

TEST(LoadPicture, Back1DrawsTheRightWayUp) {
  OleInitialize(nullptr);
  const auto picture = std::dynamic_pointer_cast<OlePicture>(
      dorvane::win32::LoadPicture(Utf8(Folder() + L"back1.jpg")));
  ASSERT_NE(picture, nullptr);
  const SIZE size = picture->PixelSize();
  ASSERT_EQ(size.cx, dorvane::kBack1Width);
  ASSERT_EQ(size.cy, dorvane::kBack1Height);

  BITMAPINFO format = {};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, target);
  picture->Render(dc, 0, 0, size.cx, size.cy);
  GdiFlush();
  // Light at the top, where the buttons take their faces; darker at the bottom.
  const auto* pixels = static_cast<const uint32_t*>(bits);
  ExpectNear(RowColour(pixels, size.cx, 0), 228, 234, 241);
  ExpectNear(RowColour(pixels, size.cx, size.cy - 1), 194, 205, 218);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  OleUninitialize();
}

int FailureNumber(const std::wstring& path) {
  try {
    dorvane::win32::LoadPicture(Utf8(path));
  } catch (const dorvane::RuntimeError& failure) {
    return failure.Number;
  }
  return 0;
}

TEST(LoadPicture, MissingFileFolderAndTextEachFailTheirOwnWay) {
  OleInitialize(nullptr);
  const std::wstring folder = Folder() + L"picture-cases\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"folder.jpg").c_str(), nullptr);
  HANDLE file = CreateFileW((folder + L"text.jpg").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "GIF? no, just text", 18, &written, nullptr);
  CloseHandle(file);

  EXPECT_EQ(FailureNumber(folder + L"absent.jpg"), dorvane::kFileNotFound);
  EXPECT_EQ(FailureNumber(folder + L"text.jpg"), dorvane::kInvalidPicture);
  EXPECT_EQ(FailureNumber(folder + L"folder.jpg"), 75) << "Path/File access error";

  DeleteFileW((folder + L"text.jpg").c_str());
  RemoveDirectoryW((folder + L"folder.jpg").c_str());
  RemoveDirectoryW(folder.c_str());
  OleUninitialize();
}

}  // namespace

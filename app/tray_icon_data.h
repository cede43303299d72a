// The notification-icon record in the 88-byte ANSI layout the shell takes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace dorvane {

struct TrayIconData {
  uint32_t cbSize = 0;
  uint32_t hWnd = 0;
  uint32_t uID = 0;
  uint32_t uFlags = 0;
  uint32_t uCallbackMessage = 0;
  uint32_t hIcon = 0;
  std::array<char, 64> szTip{};
};
static_assert(sizeof(TrayIconData) == 88, "the shell reads exactly 88 bytes");

constexpr uint32_t kNimAdd = 0;
constexpr uint32_t kNimDelete = 2;
// The callback message is the number of WM_MBUTTONDOWN, so the form sees a middle-button press.
constexpr uint32_t kTrayCallbackMessage = 519;

TrayIconData MakeTrayIconData(uint32_t mainWindow, uint32_t icon, const std::string& tip);
// The tip as far as its terminating NUL.
std::string TipText(const TrayIconData& data);

}  // namespace dorvane

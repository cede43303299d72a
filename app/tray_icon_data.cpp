#include "tray_icon_data.h"

#include <algorithm>

namespace dorvane {

TrayIconData MakeTrayIconData(uint32_t mainWindow, uint32_t icon, const std::string& tip) {
  TrayIconData data;
  data.cbSize = sizeof(TrayIconData);
  data.hWnd = mainWindow;
  data.uID = 1;
  data.uFlags = 7;  // NIF_MESSAGE | NIF_ICON | NIF_TIP
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon;
  // The tip, a NUL, then blanks to the end of the field.
  data.szTip.fill(' ');
  const size_t length = std::min(tip.size(), data.szTip.size() - 1);
  std::copy_n(tip.begin(), length, data.szTip.begin());
  data.szTip[length] = '\0';
  return data;
}

std::string TipText(const TrayIconData& data) {
  const auto end = std::find(data.szTip.begin(), data.szTip.end(), '\0');
  return std::string(data.szTip.begin(), end);
}

}  // namespace dorvane

#include "about_window.h"

#include "resource_ids.h"
#include "text.h"

namespace dorvane::win32 {
namespace {

void SetText(HWND window, const std::string& text) {
  SetWindowTextW(window, Utf8ToWide(text).c_str());
}

}  // namespace

Win32AboutWindow::Win32AboutWindow(HWND owner, AboutActions actions)
    : actions_(std::move(actions)) {
  Create(IDD_ABOUT, owner);
}

Win32AboutWindow::~Win32AboutWindow() {
  Destroy();
  if (titleFont_) DeleteObject(titleFont_);
}

// The title stands out: the dialog's face, bold and half as large again.
void Win32AboutWindow::OnInitDialog() {
  const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
  LOGFONTW title = {};
  if (!dialogFont || !GetObjectW(dialogFont, sizeof title, &title)) return;
  title.lfHeight = title.lfHeight * 3 / 2;
  title.lfWidth = 0;
  title.lfWeight = FW_BOLD;
  titleFont_ = CreateFontIndirectW(&title);
  SendDlgItemMessageW(dialog_, IDC_LBL_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_),
                      FALSE);
}

void Win32AboutWindow::Show(const dorvane::AboutTexts& texts) {
  SetText(dialog_, texts.Caption);
  SetText(GetDlgItem(dialog_, IDC_LBL_TITLE), texts.Title);
  SetText(GetDlgItem(dialog_, IDC_LBL_VERSION), texts.Version);
  SetText(GetDlgItem(dialog_, IDC_LBL_DESCRIPTION), texts.Description);
  SetText(GetDlgItem(dialog_, IDC_LBL_DISCLAIMER), texts.Disclaimer);
  Raise();
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, IDOK)), TRUE);
}

INT_PTR Win32AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      // cmdOK is the box's default and cancel button: Enter and Esc press it too.
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      Fire(actions_.onOk);
      return TRUE;
    case WM_CLOSE:
      Fire(actions_.onCloseBox);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace dorvane::win32

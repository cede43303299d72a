#include "preference_window.h"

#include <string>

#include "resource_ids.h"
#include "text.h"

namespace dorvane::win32 {
namespace {

using dorvane::PreferenceField;

constexpr int kTwipsPerInch = 1440;
constexpr int kClientWidth = 5400;  // twips
constexpr int kClientHeight = 2535;
// Arial bold 9.75 pt, in hundredths of a point.
constexpr int kButtonPointsX100 = 975;

struct Placement {
  int Id;
  const wchar_t* Class;
  DWORD Style;
  DWORD ExStyle;
  int Left, Top, Width, Height;  // twips
  // A combo box's window also holds its dropped-down list: that many field heights.
  int ListRows;
};

// clang-format off
// In the order of PreferenceField.
constexpr Placement kFields[] = {
    {IDC_CMB_COM, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
     3000, 480, 1935, 300, 8},
    {IDC_TXT_MDN, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
     3000, 960, 1935, 270, 0},
    {IDC_CMB_MAC, L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
     3000, 1440, 1935, 300, 8},
};
constexpr Placement kOk = {IDC_CMD_OK, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0,
                           1800, 2040, 795, 345, 0};
constexpr Placement kCancel = {IDC_CMD_CANCEL, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0,
                               3120, 2040, 795, 345, 0};
// clang-format on
// Labels, when they are shown, fill the space left of their fields.
constexpr int kLabelLeft = 360;
constexpr int kLabelWidth = 2520;
constexpr int kLabelIds[] = {IDC_LBL_COM, IDC_LBL_MDN, IDC_LBL_MAC};

const wchar_t* const kMacEntries[] = {L"ATD0;", L"AT;"};

int FieldId(PreferenceField field) { return kFields[static_cast<int>(field)].Id; }

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, &text[0], static_cast<int>(text.size()));
  return WideToUtf8(text.data(), static_cast<size_t>(length));
}

}  // namespace

Win32PreferenceWindow::Win32PreferenceWindow(HWND owner, PreferenceActions actions)
    : actions_(std::move(actions)) {
  Create(IDD_PREFERENCE, owner);
}

Win32PreferenceWindow::~Win32PreferenceWindow() {
  Destroy();
  if (buttonFont_) DeleteObject(buttonFont_);
}

void Win32PreferenceWindow::OnInitDialog() {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const auto scale = [this](int twips) { return MulDiv(twips, dpi_, kTwipsPerInch); };

  RECT frame = {0, 0, scale(kClientWidth), scale(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog_, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(dialog_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  buttonFont_ = CreateFontW(-MulDiv(kButtonPointsX100, dpi_, 7200), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
  const auto place = [&](const Placement& at, const wchar_t* text, HFONT font) {
    const int rows = at.ListRows > 0 ? at.ListRows : 1;
    HWND control = CreateWindowExW(
        at.ExStyle, at.Class, text, WS_CHILD | WS_VISIBLE | at.Style, scale(at.Left), scale(at.Top),
        scale(at.Width), scale(at.Height * rows), dialog_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(at.Id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
  };
  for (const Placement& field : kFields) place(field, L"", dialogFont);
  place(kOk, L"OK", buttonFont_);
  place(kCancel, L"Cancel", buttonFont_);

  HWND mac = GetDlgItem(dialog_, IDC_CMB_MAC);
  for (const wchar_t* entry : kMacEntries) {
    SendMessageW(mac, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  SetWindowTextW(mac, kMacEntries[0]);
  SetDlgItemTextW(dialog_, IDC_TXT_MDN, L"*0");
}

SIZE Win32PreferenceWindow::PictureSize(const OlePicture& picture) const {
  const SIZE size = picture.PixelSize();
  return {MulDiv(size.cx, dpi_, 96), MulDiv(size.cy, dpi_, 96)};
}

void Win32PreferenceWindow::SetBackgroundPicture(const dorvane::PictureRef& picture) {
  background_ = std::dynamic_pointer_cast<OlePicture>(picture);
  if (dialog_) InvalidateRect(dialog_, nullptr, TRUE);
}

void Win32PreferenceWindow::SetOkPicture(const dorvane::PictureRef& picture) {
  okFace_ = std::dynamic_pointer_cast<OlePicture>(picture);
  SetButtonFace(IDC_CMD_OK, okFace_ != nullptr);
}

void Win32PreferenceWindow::SetCancelPicture(const dorvane::PictureRef& picture) {
  cancelFace_ = std::dynamic_pointer_cast<OlePicture>(picture);
  SetButtonFace(IDC_CMD_CANCEL, cancelFace_ != nullptr);
}

// A button with a picture draws its own face; without one it is a plain push button.
void Win32PreferenceWindow::SetButtonFace(int id, bool picture) {
  SendDlgItemMessageW(dialog_, id, BM_SETSTYLE, picture ? BS_OWNERDRAW : BS_PUSHBUTTON, TRUE);
}

void Win32PreferenceWindow::ShowFieldLabels(const std::array<std::string, 3>& labels) {
  const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
  for (size_t i = 0; i < labels.size(); ++i) {
    const std::wstring text = Utf8ToWide(labels[i]);
    HWND label = GetDlgItem(dialog_, kLabelIds[i]);
    if (!label) {
      const Placement& field = kFields[i];
      label = CreateWindowExW(
          0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX,
          MulDiv(kLabelLeft, dpi_, kTwipsPerInch), MulDiv(field.Top, dpi_, kTwipsPerInch),
          MulDiv(kLabelWidth, dpi_, kTwipsPerInch), MulDiv(field.Height, dpi_, kTwipsPerInch),
          dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelIds[i])),
          GetModuleHandleW(nullptr), nullptr);
      SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), FALSE);
    }
    SetWindowTextW(label, text.c_str());
  }
}

void Win32PreferenceWindow::SetComEntries(const std::vector<std::string>& entries) {
  HWND com = GetDlgItem(dialog_, IDC_CMB_COM);
  SendMessageW(com, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    const std::wstring text = Utf8ToWide(entry);
    SendMessageW(com, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

std::string Win32PreferenceWindow::Text(PreferenceField field) {
  return WindowText(GetDlgItem(dialog_, FieldId(field)));
}

void Win32PreferenceWindow::SetText(PreferenceField field, const std::string& text) {
  const std::wstring wide = Utf8ToWide(text);
  HWND control = GetDlgItem(dialog_, FieldId(field));
  if (field == PreferenceField::Cmb_Com) {
    // A drop-down list shows only its entries: the text chooses one, or none.
    const LRESULT index = SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    SetWindowTextW(control, wide.c_str());
  }
}

void Win32PreferenceWindow::Show() {
  Raise();
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, IDC_CMB_COM)),
               TRUE);
}

INT_PTR Win32PreferenceWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      if (LOWORD(wParam) == IDC_CMD_OK) {
        Fire(actions_.onOk);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_CMD_CANCEL) {
        Fire(actions_.onCancel);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Fire(actions_.onCloseBox);
      return TRUE;
    case WM_ERASEBKGND: {
      if (!background_) return FALSE;
      const auto dc = reinterpret_cast<HDC>(wParam);
      RECT client = {};
      GetClientRect(dialog_, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      const SIZE size = PictureSize(*background_);
      background_->Render(dc, 0, 0, size.cx, size.cy);
      SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, 1);
      return TRUE;
    }
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

// The picture's top-left corner as the face, a raised or pressed edge, the caption centred.
void Win32PreferenceWindow::DrawButton(const DRAWITEMSTRUCT& item) const {
  const std::shared_ptr<OlePicture>& face = item.CtlID == IDC_CMD_OK ? okFace_ : cancelFace_;
  HDC dc = item.hDC;
  RECT bounds = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const int saved = SaveDC(dc);
  if (face) {
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    const SIZE size = PictureSize(*face);
    face->Render(dc, bounds.left, bounds.top, size.cx, size.cy);
    SelectClipRgn(dc, nullptr);
  }
  DrawEdge(dc, &bounds, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  wchar_t caption[32] = {};
  GetWindowTextW(item.hwndItem, caption, 32);
  SelectObject(dc, buttonFont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(item.itemState & ODS_DISABLED ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT text = bounds;
  if (pressed) OffsetRect(&text, 1, 1);
  DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = bounds;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
  RestoreDC(dc, saved);
}

}  // namespace dorvane::win32

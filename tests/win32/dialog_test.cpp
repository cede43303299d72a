// The two dialogs' windows as the user meets them: what they show, what each action reports,
// and nothing reported when the program closes them.
#include "windows_prelude.h"
// Before the ports, so that their member names stay theirs.
#include <gtest/gtest.h>
#include <ole2.h>

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "about.h"
#include "about_window.h"
#include "modeless_dialog.h"
#include "ole_picture.h"
#include "preference_window.h"
#include "resource_ids.h"
#include "text.h"
#include "win32_desktop.h"

namespace {

using dorvane::PreferenceField;
using dorvane::win32::ModelessDialogs;
using dorvane::win32::Win32AboutWindow;
using dorvane::win32::Win32PreferenceWindow;

struct Counts {
  int ok = 0;
  int cancel = 0;
  int closeBox = 0;
};

std::string Back1Path() {
  wchar_t exe[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, length);
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"back1.jpg";
  return WideToUtf8(path.data(), path.size());
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Px(int twips) { return MulDiv(twips, ScreenDpi(), 1440); }

// Left, top, width and height in the dialog's client area.
std::array<LONG, 4> PlaceOf(HWND dialog, int id) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

LONG ButtonType(HWND dialog, int id) {
  return GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK;
}

dorvane::win32::PreferenceActions Counting(Counts& counts) {
  return {[&counts] { ++counts.ok; }, [&counts] { ++counts.cancel; },
          [&counts] { ++counts.closeBox; }};
}

class Dialogs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { OleInitialize(nullptr); }
  static void TearDownTestSuite() { OleUninitialize(); }
};

TEST_F(Dialogs, PreferenceWithThePictureShowsItsFieldsAndReportsEachAction) {
  Counts counts;
  const auto window = std::make_unique<Win32PreferenceWindow>(nullptr, Counting(counts));
  HWND dialog = window->Handle();
  ASSERT_NE(dialog, nullptr);
  window->SetBackgroundPicture(dorvane::win32::LoadPicture(Back1Path()));
  window->SetOkPicture(dorvane::win32::LoadPicture(Back1Path()));
  window->SetCancelPicture(dorvane::win32::LoadPicture(Back1Path()));
  window->SetComEntries({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM9"});
  window->SetText(PreferenceField::Cmb_Com, "COM9");
  window->SetText(PreferenceField::Txt_MDN, " *0 ");
  window->SetText(PreferenceField::Cmb_MAC, "ATZ");
  window->Show();

  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(TextOf(dialog), L"Preference");
  EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) &
               (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, MulDiv(360, ScreenDpi(), 96));
  EXPECT_EQ(client.bottom, MulDiv(169, ScreenDpi(), 96));
  RECT frame = {};
  GetWindowRect(dialog, &frame);
  EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

  using Place = std::array<LONG, 4>;
  EXPECT_EQ(PlaceOf(dialog, IDC_TXT_MDN), (Place{Px(3000), Px(960), Px(1935), Px(270)}));
  EXPECT_EQ(PlaceOf(dialog, IDC_CMD_OK), (Place{Px(1800), Px(2040), Px(795), Px(345)}));
  EXPECT_EQ(PlaceOf(dialog, IDC_CMD_CANCEL), (Place{Px(3120), Px(2040), Px(795), Px(345)}));
  EXPECT_EQ(PlaceOf(dialog, IDC_CMB_MAC)[0], Px(3000));
  EXPECT_EQ(PlaceOf(dialog, IDC_CMB_MAC)[1], Px(1440));
  EXPECT_EQ(ButtonType(dialog, IDC_CMD_OK), BS_OWNERDRAW);
  EXPECT_EQ(ButtonType(dialog, IDC_CMD_CANCEL), BS_OWNERDRAW);
  EXPECT_EQ(GetDlgItem(dialog, IDC_LBL_COM), nullptr) << "no labels over the picture";

  EXPECT_EQ(window->Text(PreferenceField::Cmb_Com), "COM9");
  EXPECT_EQ(window->Text(PreferenceField::Txt_MDN), " *0 ");
  EXPECT_EQ(window->Text(PreferenceField::Cmb_MAC), "ATZ");
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_CMB_MAC, CB_GETCOUNT, 0, 0), 2);
  // The user chooses a port from the list and types a command of his own.
  SendDlgItemMessageW(dialog, IDC_CMB_COM, CB_SETCURSEL, 5, 0);
  SetDlgItemTextW(dialog, IDC_CMB_MAC, L"ATS0=1 ｱ");
  EXPECT_EQ(window->Text(PreferenceField::Cmb_Com), "COM6");
  EXPECT_EQ(window->Text(PreferenceField::Cmb_MAC), "ATS0=1 ｱ");

  SendDlgItemMessageW(dialog, IDC_CMD_OK, BM_CLICK, 0, 0);
  SendDlgItemMessageW(dialog, IDC_CMD_CANCEL, BM_CLICK, 0, 0);
  SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(counts.ok, 1);
  EXPECT_EQ(counts.cancel, 1);
  EXPECT_EQ(counts.closeBox, 1);

  MSG tab = {GetDlgItem(dialog, IDC_TXT_MDN), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(ModelessDialogs::PreTranslate(tab)) << "the loop gives the dialog its keys";
  window->Close();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(ModelessDialogs::PreTranslate(tab));
  EXPECT_EQ(counts.ok + counts.cancel + counts.closeBox, 3) << "Close reports nothing";
}

TEST_F(Dialogs, PreferenceWithoutThePictureLabelsItsFieldsAndHasPlainButtons) {
  Counts counts;
  // As the dialog's logic does it: OK closes and destroys the window from inside its click.
  std::unique_ptr<Win32PreferenceWindow> window;
  dorvane::win32::PreferenceActions actions = Counting(counts);
  actions.onOk = [&] {
    ++counts.ok;
    window.reset();
  };
  window = std::make_unique<Win32PreferenceWindow>(nullptr, actions);
  HWND dialog = window->Handle();
  EXPECT_EQ(window->Text(PreferenceField::Txt_MDN), "*0");
  EXPECT_EQ(window->Text(PreferenceField::Cmb_MAC), "ATD0;");
  window->SetBackgroundPicture(nullptr);
  window->SetOkPicture(nullptr);
  window->SetCancelPicture(nullptr);
  window->ShowFieldLabels({"COM port", "Modem dial number", "Modem command"});
  window->Show();

  const std::pair<int, const wchar_t*> labels[] = {{IDC_LBL_COM, L"COM port"},
                                                   {IDC_LBL_MDN, L"Modem dial number"},
                                                   {IDC_LBL_MAC, L"Modem command"}};
  for (const auto& [id, text] : labels) {
    HWND label = GetDlgItem(dialog, id);
    ASSERT_NE(label, nullptr) << id;
    EXPECT_TRUE(IsWindowVisible(label));
    EXPECT_EQ(TextOf(label), text);
    EXPECT_LT(PlaceOf(dialog, id)[0] + PlaceOf(dialog, id)[2], Px(3000)) << "left of its field";
  }
  EXPECT_EQ(ButtonType(dialog, IDC_CMD_OK), BS_PUSHBUTTON);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_CMD_CANCEL)), L"Cancel");
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_CMD_OK, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"Arial");
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfHeight, -MulDiv(975, ScreenDpi(), 7200));

  SendDlgItemMessageW(dialog, IDC_CMD_OK, BM_CLICK, 0, 0);
  EXPECT_EQ(counts.ok, 1);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(counts.cancel + counts.closeBox, 0);
}

TEST_F(Dialogs, AboutShowsTheTextsOfItsLogicAndReportsOkAndTheCloseBox) {
  Counts counts;
  Win32AboutWindow window(nullptr, {[&counts] { ++counts.ok; }, [&counts] { ++counts.closeBox; }});
  HWND dialog = window.Handle();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), L"ﾊﾞｰｼﾞｮﾝ情報") << "the design caption";

  const dorvane::AboutTexts texts =
      dorvane::MakeAboutTexts(dorvane::kAppTitle, dorvane::kAppVersion);
  window.Show(texts);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(TextOf(dialog), L"Dorvaneのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_LBL_TITLE)), L"Dorvane");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_LBL_VERSION)), L"Version   0.0.1");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_LBL_DESCRIPTION)), Utf8ToWide(texts.Description));
  EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_LBL_DISCLAIMER)), Utf8ToWide(texts.Disclaimer));
  EXPECT_NE(SendDlgItemMessageW(dialog, IDC_PIC_ICON, STM_GETICON, 0, 0), 0);

  SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
  SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  MSG escape = {GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(ModelessDialogs::PreTranslate(escape));
  EXPECT_EQ(counts.ok, 2) << "the button, then Esc";
  EXPECT_EQ(counts.closeBox, 1);

  window.Close();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(counts.ok + counts.closeBox, 3);
}

// What the error box saw of the dialog under it while it was up.
struct UnderTheBox {
  HWND owner = nullptr;
  bool ownerEnabled = true;
};
UnderTheBox seenUnderTheBox;

void CALLBACK AnswerTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Dorvane");
  if (!box) return;
  KillTimer(nullptr, timer);
  seenUnderTheBox.owner = GetWindow(box, GW_OWNER);
  seenUnderTheBox.ownerEnabled = seenUnderTheBox.owner && IsWindowEnabled(seenUnderTheBox.owner);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Dialogs, AnErrorBoxIsModalToTheOpenDialog) {
  dorvane::win32::Program program(GetModuleHandleW(nullptr));
  dorvane::win32::Win32Desktop desktop(program, {}, nullptr);
  Counts counts;
  const auto window = std::make_unique<Win32PreferenceWindow>(nullptr, Counting(counts));
  window->Show();
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerTheBox);
  desktop.MsgBox("Permission denied", MB_ICONEXCLAMATION, "Dorvane");
  KillTimer(nullptr, timer);
  EXPECT_EQ(seenUnderTheBox.owner, window->Handle());
  EXPECT_FALSE(seenUnderTheBox.ownerEnabled) << "the dialog cannot be used under the box";
  EXPECT_TRUE(IsWindowEnabled(window->Handle()));
  window->Close();
}

}  // namespace

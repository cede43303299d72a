#include "modeless_dialog.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace dorvane::win32 {
namespace {

std::vector<HWND>& OpenDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

}  // namespace

void ModelessDialogs::Add(HWND dialog) { OpenDialogs().push_back(dialog); }

void ModelessDialogs::Remove(HWND dialog) {
  std::vector<HWND>& dialogs = OpenDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool ModelessDialogs::PreTranslate(MSG& message) {
  // A copy: the message may run an action that closes a dialog.
  const std::vector<HWND> dialogs = OpenDialogs();
  for (HWND dialog : dialogs) {
    if (IsDialogMessageW(dialog, &message)) return true;
  }
  return false;
}

HWND ModelessDialogs::Front() {
  const std::vector<HWND>& dialogs = OpenDialogs();
  const auto shown = std::find_if(dialogs.rbegin(), dialogs.rend(), IsWindowVisible);
  return shown == dialogs.rend() ? nullptr : *shown;
}

ModelessDialog::~ModelessDialog() { Destroy(); }

void ModelessDialog::Create(int id, HWND owner) {
  CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner, DialogProc,
                     reinterpret_cast<LPARAM>(this));
  if (dialog_) ModelessDialogs::Add(dialog_);
}

void ModelessDialog::Raise() {
  if (!dialog_) return;
  if (IsIconic(dialog_)) ShowWindow(dialog_, SW_RESTORE);
  ShowWindow(dialog_, SW_SHOW);
  SetForegroundWindow(dialog_);
}

void ModelessDialog::Destroy() {
  if (!dialog_) return;
  // Detached first: the messages of its destruction reach no object, which may be half gone.
  HWND dialog = std::exchange(dialog_, nullptr);
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
  ModelessDialogs::Remove(dialog);
  DestroyWindow(dialog);
}

void ModelessDialog::Fire(const std::function<void()>& action) {
  // Held here, since the action may destroy the object that holds `action`.
  const std::function<void()> call = action;
  if (call) call();
}

INT_PTR CALLBACK ModelessDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModelessDialog*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
    self->OnInitDialog();
    return FALSE;  // the focus is placed when the dialog is shown
  }
  auto* self = reinterpret_cast<ModelessDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    // Also when the owner's end takes the dialog with it.
    ModelessDialogs::Remove(dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->dialog_ = nullptr;
    return FALSE;
  }
  return self->OnMessage(message, wParam, lParam);
}

}  // namespace dorvane::win32

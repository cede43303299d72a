#include "sim_desktop.h"

#include "picture_file.h"
#include "quoting.h"
#include "runtime_error.h"
#include "sim_views.h"

namespace sim {

const dorvane::MenuItem* FindVisibleItem(const dorvane::MenuItem& menu,
                                         const std::string& caption) {
  for (const dorvane::MenuItem& item : menu.Items) {
    if (!item.Visible) continue;
    if (item.Caption == caption) return &item;
    if (const dorvane::MenuItem* inner = FindVisibleItem(item, caption)) return inner;
  }
  return nullptr;
}

std::string DescribeMenu(const dorvane::MenuItem& menu) {
  std::string text;
  for (const dorvane::MenuItem& item : menu.Items) {
    if (!item.Visible) continue;
    if (!text.empty()) text += " ";
    text += Quote(item.Caption);
    if (!item.Items.empty()) text += " > " + DescribeMenu(item) + " <";
  }
  return text;
}

void SimDesktop::MsgBox(const std::string& text, int style, const std::string& title) {
  transcript_.Add("desktop", "msgbox style " + std::to_string(style) + " title " + Quote(title) +
                                 " text " + Quote(text));
}

const dorvane::MenuItem* SimDesktop::PopupMenu(const dorvane::MenuItem& menu) {
  transcript_.Add("desktop", "popup " + DescribeMenu(menu));
  const dorvane::MenuItem* chosen = chooseFromMenu_ ? chooseFromMenu_(menu) : nullptr;
  if (!chosen) transcript_.Add("desktop", "popup dismissed");
  return chosen;
}

dorvane::PictureRef SimDesktop::LoadPicture(const std::string& path) {
  const std::string bytes = files_.ReadAll(path);
  const PictureCheck picture = ReadPicture(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  if (!picture.ok) throw dorvane::failure::InvalidPicture();
  return std::make_shared<SimPicture>(picture.width, picture.height);
}

std::unique_ptr<dorvane::PreferenceWindow> SimDesktop::CreatePreferenceWindow() {
  return std::make_unique<SimPreferenceWindow>(transcript_);
}

std::unique_ptr<dorvane::AboutWindow> SimDesktop::CreateAboutWindow() {
  return std::make_unique<SimAboutWindow>(transcript_);
}

void SimDesktop::ArriveIfWaitedFor() {
  if (!atNextWait_) return;
  const std::function<void()> arrival = std::move(atNextWait_);
  atNextWait_ = nullptr;
  arrival();
}

void SimDesktop::Nap() {
  ArriveIfWaitedFor();
  loop_.AdvanceWorld(loop_.Now() + kNap);
}

void SimDesktop::DoEvents() {
  ArriveIfWaitedFor();
  loop_.RunDue();
  gate_.UnwindIfEnded();
}

bool SimDesktop::ShellNotifyIcon(uint32_t message, const dorvane::TrayIconData& data) {
  if (message == dorvane::kNimAdd && !trayIcon_) {
    trayIcon_ = true;
    transcript_.Add("desktop", "tray add tip " + Quote(dorvane::TipText(data)));
    return true;
  }
  if (message == dorvane::kNimDelete && trayIcon_) {
    trayIcon_ = false;
    transcript_.Add("desktop", "tray delete");
    return true;
  }
  return false;
}

bool SimDesktop::SetForegroundWindow(dorvane::WindowHandle window) {
  if (window == kMainWindow || (window == kNotepadWindow && notepadRunning_)) {
    foreground_ = window;
    return true;
  }
  Conversation* conversation = messenger_.WindowOf(window);
  if (!conversation) return false;
  const std::string name = "window " + std::to_string(conversation->number);
  if (conversation->refusesFront || conversation->closed) {
    if (lastRefused_ != window) transcript_.Add("desktop", "foreground refused " + name);
    lastRefused_ = window;
    return false;
  }
  lastRefused_ = 0;
  foreground_ = conversation->losesFront ? kOtherProgramWindow : window;
  transcript_.Add("desktop", "foreground " + name);
  return true;
}

void SimDesktop::ShowWindow(dorvane::WindowHandle, int) { lastRefused_ = 0; }

bool SimDesktop::SendKeys(dorvane::WindowHandle window, const std::string& keys) {
  if (window != foreground_) return false;
  if (Conversation* conversation = messenger_.WindowOf(foreground_)) {
    messenger_.KeysReach(*conversation, keys);
    return true;
  }
  transcript_.Add("desktop", "keys " + Quote(keys));
  return true;
}

void SimDesktop::Shell(const std::string& commandLine, int) {
  transcript_.Add("desktop", "run " + Quote(commandLine));
  if (commandLine.compare(0, 12, "notepad.exe ") == 0) {
    notepadRunning_ = true;
    foreground_ = kNotepadWindow;
  }
}

dorvane::WindowHandle SimDesktop::FindWindow(const std::string& className) {
  return className == "Notepad" && notepadRunning_ ? kNotepadWindow : 0;
}

}  // namespace sim

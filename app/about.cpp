#include "about.h"

#include "desktop.h"

namespace dorvane {

std::string VersionText(const AppVersion& version) {
  return "Version   " + std::to_string(version.Major) + "." + std::to_string(version.Minor) + "." +
         std::to_string(version.Revision);
}

AboutTexts MakeAboutTexts(const std::string& title, const AppVersion& version) {
  AboutTexts texts;
  texts.Caption = title + "のﾊﾞｰｼﾞｮﾝ情報";
  texts.Title = title;
  texts.Version = VersionText(version);
  texts.Description =
      "β Version\r\n"
      "電話の受話器からメッセンジャーの音声会話をかけたり受けたりします。\r\n"
      "このプログラムにより生じた、いかなる被害・損害も、作者は一切責任をとりません。"
      "各自の責任において、使用してください。";
  texts.Disclaimer = "Use at your own risk.";
  return texts;
}

void frmAbout::Show() {
  if (window_) {
    window_->BringToFront();
    return;
  }
  auto window = desktop_.CreateAboutWindow();
  window->Show(MakeAboutTexts(kAppTitle, kAppVersion));
  window_ = std::move(window);
}

}  // namespace dorvane

namespace dorvane {

void frmAbout::Unload() {
  if (!window_) return;
  window_->Close();
  window_.reset();
}

}  // namespace dorvane

// The control's user-visible texts (UTF-8 here; cp932 on the Windows side).
#pragma once

namespace tonvex::text {

constexpr const char* kCaptureMemory = "録音用メモリーが確保できません";
constexpr const char* kCannotOpen = "ウェーブフォームがオープンできません";
constexpr const char* kCannotStart = "ウェーブフォームが入力できません";
constexpr const char* kSearchDtmfDisabled = "プロパティEnabledがFALSEです";
constexpr const char* kSearchLevelDisabled = "プロパティEnabledがFALSE";
constexpr const char* kMethodRunning = "メソッド実行中";

}  // namespace tonvex::text

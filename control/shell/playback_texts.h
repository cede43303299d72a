// ErrorMsg texts of PlayDtmf (UTF-8 here; cp932 on the Windows side).
#pragma once

namespace tonvex::text {

constexpr const char* kPlayDtmfDisabled = "プロパティEnabledがFALSE";
constexpr const char* kInvalidSymbol = "不正文字有り";

}  // namespace tonvex::text

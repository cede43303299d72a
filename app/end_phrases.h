// What a conversation window shows once its conversation has ended or was cancelled.
#pragma once

#include <array>
#include <string>

namespace dorvane {

inline constexpr std::array<const char*, 5> kEndPhrases = {
    "切断", "キャンセルしました", "has ended", "has canceled", "送信されませんでした"};

inline bool HoldsEndPhrase(const std::string& text) {
  for (const char* phrase : kEndPhrases) {
    if (text.find(phrase) != std::string::npos) return true;
  }
  return false;
}

}  // namespace dorvane

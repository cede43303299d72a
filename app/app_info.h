// The program's title and version data, as its version resource carries them.
#pragma once

#include <string>

namespace dorvane {

struct AppVersion {
  int Major;
  int Minor;
  int Revision;
};

inline const std::string kAppTitle = "Dorvane";
constexpr AppVersion kAppVersion{0, 0, 1};

}  // namespace dorvane

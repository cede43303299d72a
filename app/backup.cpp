#include "backup.h"

#include <algorithm>
#include <cctype>

#include "runtime_error.h"

namespace dorvane {
namespace {

constexpr size_t kMostNumberDigits = 9;

// File names compare as Windows compares them: ASCII letters without regard to case.
std::string Folded(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

// The generation of a backup name: 0 for STEM.bak, N for STEM.N.bak, -1 for any other name.
long GenerationOf(const std::string& name, const std::string& stem) {
  const std::string folded = Folded(name);
  const std::string prefix = Folded(stem) + ".";
  const std::string suffix = "bak";
  if (folded.size() < prefix.size() + suffix.size() || folded.compare(0, prefix.size(), prefix) ||
      folded.compare(folded.size() - suffix.size(), suffix.size(), suffix)) {
    return -1;
  }
  const std::string middle =
      folded.substr(prefix.size(), folded.size() - prefix.size() - suffix.size());
  if (middle.empty()) return 0;
  const std::string digits = middle.substr(0, middle.size() - 1);
  if (middle.back() != '.' || digits.empty() || digits.size() > kMostNumberDigits ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  return std::stol(digits);
}

}  // namespace

void KeepBackup(FileSystem& files, const std::string& path, const std::string* replacement) {
  if (files.Dir(path).empty()) return;
  const std::string bytes = files.ReadAll(path);
  if (replacement && *replacement == bytes) return;

  // The separator is the platform's, as the program joined the path.
  const size_t slash = path.find_last_of("\\/");
  const std::string separator = path.substr(slash, 1);
  const std::string folder = path.substr(0, slash);
  const std::string name = path.substr(slash + 1);
  const std::string stem = name.substr(0, name.rfind('.'));
  bool bakTaken = false;
  long highest = 0;
  for (const std::string& existing : files.Names(folder)) {
    const long generation = GenerationOf(existing, stem);
    if (generation < 0) continue;
    bakTaken = bakTaken || generation == 0;
    highest = std::max(highest, generation);
    try {
      if (files.ReadAll(folder + separator + existing) == bytes) return;
    } catch (const RuntimeError&) {
      // An unreadable backup still holds its name.
    }
  }
  const std::string backup =
      bakTaken ? stem + "." + std::to_string(highest + 1) + ".bak" : stem + ".bak";
  files.Copy(path, folder + separator + backup);
}

}  // namespace dorvane

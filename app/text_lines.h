// Lines of the program's text files: CR LF on writing; CR LF or a lone LF ends a line on
// reading, and a last line without either still counts.
#pragma once

#include <string>
#include <vector>

namespace dorvane {

std::vector<std::string> SplitLines(const std::string& text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace dorvane

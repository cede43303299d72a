// Text for whoever started msgrsim from a shell: msgrsim is a window program, so it writes to
// the standard handles it was given, or to its parent's console when it was given none.
#pragma once

#include <string>

namespace msgrsim {

void PrintOutput(const std::wstring& line);
void PrintError(const std::wstring& line);

}  // namespace msgrsim

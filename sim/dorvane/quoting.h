// Strings as transcript lines show them.
#pragma once

#include <string>

namespace sim {

// Double-quoted, with \r \n \t \" \\ escaped, other control bytes (below 0x20 and 0x7F) and
// bytes that are not part of valid UTF-8 as \xHH (two upper-case hex digits); valid UTF-8
// (Japanese included) is copied as it is.
std::string Quote(const std::string& bytes);

}  // namespace sim

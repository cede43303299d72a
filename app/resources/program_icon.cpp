#include "program_icon.h"

#include <string>
#include <vector>

namespace dorvane {
namespace {

// The bolt falls from the upper right to a point at the lower left, with one step to the right
// halfway down.
// clang-format off
const std::vector<std::string> kLargeArt = {
    "................................",
    "...............KKKKKKKKKKKK.....",
    "..............KYYYYYYYYYYK......",
    "..............KYYYYYYYYYYK......",
    ".............KYYYYYYYYYYK.......",
    ".............KYYYYYYYYYK........",
    "............KYYYYYYYYYYK........",
    "...........KYYYYYYYYYYK.........",
    "...........KYYYYYYYYYYK.........",
    "..........KYYYYYYYYYYK..........",
    "..........KYYYYYYYYYYK..........",
    ".........KYYYYYYYYYYYYKKKKKK....",
    ".........KYYYYYYYYYYYYYYYYK.....",
    "........KYYYYYYYYYYYYYYYYK......",
    "........KYYYYYYYYYYYYYYKK.......",
    ".......KYYYYYYYYYYYYYYK.........",
    ".......KKKKKKKYYYYYYYK..........",
    "..............KYYYYYK...........",
    ".............KYYYYYK............",
    ".............KYYYYK.............",
    "............KYYYYK..............",
    "............KYYYK...............",
    "...........KYYKK................",
    "..........KYYK..................",
    "..........KYK...................",
    ".........KYK....................",
    ".........KK.....................",
    "........KK......................",
    ".......KK.......................",
    ".......K........................",
    "......K.........................",
    "................................",
};

const std::vector<std::string> kSmallArt = {
    "................",
    "......KKKKKKK...",
    "......KYYYYYK...",
    "......KYYYYK....",
    ".....KYYYYK.....",
    ".....KYYYYKKKK..",
    "....KYYYYYYYYK..",
    "....KYYYYYYYK...",
    "...KKKKKYYYK....",
    ".......KYYK.....",
    "......KYYK......",
    "......KYK.......",
    ".....KYK........",
    ".....KK.........",
    "....KK..........",
    "....K...........",
};
// clang-format on

}  // namespace

tonvex::Image ProgramIconLarge() { return tonvex::ParseArt(kLargeArt); }

tonvex::Image ProgramIconSmall() { return tonvex::ParseArt(kSmallArt); }

}  // namespace dorvane

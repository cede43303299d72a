#include "menu.h"

namespace dorvane {

MenuItem MakeMainMenu() {
  MenuItem main{"mnuMain", -1, "MailMenu", true, {}};
  main.Items = {
      {"mnuPhoneLst", -1, "Edit Phone List", true, {}},
      {"mnuOnline", -1, "Phone List(&O)", true, {{"mnuFriend", 0, "Nobody", true, {}}}},
      {"mnuPre", -1, "Preference(&P)", true, {}},
      {"mnuVersion", -1, "Version", true, {}},
      {"mnuExit", -1, "Exit(&X)", true, {}},
  };
  return main;
}

MenuItem& FriendMenu(MenuItem& mainMenu) { return mainMenu.Items[1]; }

}  // namespace dorvane

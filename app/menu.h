// The tray's popup menu mnuMain: items in order, one submenu, items that can be hidden.
#pragma once

#include <string>
#include <vector>

namespace dorvane {

struct MenuItem {
  std::string Name;  // the item's name in the form, e.g. "mnuPre" or "mnuFriend"
  int Index = -1;    // position in a control array such as mnuFriend, else -1
  std::string Caption;
  bool Visible = true;
  std::vector<MenuItem> Items;  // a submenu when not empty
};

// mnuMain with its design-time items; mnuOnline holds mnuFriend(0) "Nobody".
MenuItem MakeMainMenu();
// The submenu of the phone list entries.
MenuItem& FriendMenu(MenuItem& mainMenu);

}  // namespace dorvane

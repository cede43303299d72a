// What msgrsim's two windows share: the state pointer given at creation in the window's user
// data, and one read-only text filling the window.
#pragma once

#include <windows.h>

#include "messenger_state.h"

namespace msgrsim {

constexpr int kTextPaneId = 1;

MessengerState* StateOf(HWND window);
// Creation and sizing of a window with a text pane of the given edit styles; true when the
// message was one of those, with result set.
bool TextPaneMessage(HWND window, UINT message, LPARAM lParam, DWORD editStyle, LRESULT& result);

}  // namespace msgrsim

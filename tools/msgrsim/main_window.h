// msgrsim's main window: the user's status and the contact list on screen, the door for the
// commands of a second msgrsim, and the queue where OnIMWindowCreated waits until the call
// that opened the window has returned. Closing it ends msgrsim.
#pragma once

#include <windows.h>

#include "messenger_state.h"

namespace msgrsim {

// state is not owned and outlives the window.
HWND CreateMainWindow(MessengerState& state);
void ShowState(HWND main, const MessengerState& state);
// Sends OnIMWindowCreated for the conversation from the message loop, later.
void PostWindowOpened(HWND main, int number);

}  // namespace msgrsim

// A conversation on screen: a top-level window of its own showing the conversation text.
// Alt+T pressed while one is in front goes to MessengerState::AcceptKeys.
#pragma once

#include <windows.h>

#include "messenger_state.h"

namespace msgrsim {

// The window is shown without taking the foreground, as a message arriving would be.
HWND CreateConversationWindow(MessengerState& state, const Conversation& conversation);
void ShowConversationText(const Conversation& conversation);
// For the message loop: handles Alt+T meant for a conversation window.
bool TranslateConversationKeys(MSG& message);

}  // namespace msgrsim

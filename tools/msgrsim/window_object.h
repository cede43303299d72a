// A conversation window as an automation object (IMessengerConversationWnd, which is an
// IMessengerWindow with the conversation's History). It outlives its window on screen.
#pragma once

#include "automation_object.h"
#include "messenger_state.h"
#include "msgrsim_h.h"

namespace msgrsim {

class WindowObject : public AutomationObject<IMessengerConversationWnd> {
 public:
  // state is not owned and outlives every object.
  WindowObject(MessengerState& state, int number);

  HRESULT STDMETHODCALLTYPE Close() override;
  HRESULT STDMETHODCALLTYPE get_HWND(LONG* window) override;
  HRESULT STDMETHODCALLTYPE get_IsClosed(VARIANT_BOOL* closed) override;
  HRESULT STDMETHODCALLTYPE get_History(BSTR* text) override;

 private:
  Conversation& Value() { return *state_.Find(number_); }
  void Log(const std::string& call);

  MessengerState& state_;
  int number_;
};

}  // namespace msgrsim

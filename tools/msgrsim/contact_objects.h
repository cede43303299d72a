// A contact and the contact list as automation objects (IMessengerContact, IMessengerContacts).
#pragma once

#include "automation_object.h"
#include "messenger_state.h"
#include "msgrsim_h.h"

namespace msgrsim {

class ContactObject : public AutomationObject<IMessengerContact> {
 public:
  // state is not owned and outlives every object.
  ContactObject(MessengerState& state, Contact contact);
  const Contact& Value() const { return contact_; }

  HRESULT STDMETHODCALLTYPE get_FriendlyName(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_SigninName(BSTR* name) override;

 private:
  MessengerState& state_;
  Contact contact_;
};

class ContactsObject : public AutomationObject<IMessengerContacts> {
 public:
  explicit ContactsObject(MessengerState& state);

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
  HRESULT STDMETHODCALLTYPE Item(LONG index, IDispatch** contact) override;

 private:
  MessengerState& state_;
};

}  // namespace msgrsim

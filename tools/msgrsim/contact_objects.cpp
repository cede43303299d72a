#include "contact_objects.h"

namespace msgrsim {
namespace {

HRESULT ReturnText(MessengerState& state, const Contact& contact, const char* member,
                   const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  state.Log().Line("call contact " + Quoted(contact.signinName) + " " + member + " -> " +
                   Quoted(text));
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return S_OK;
}

}  // namespace

ContactObject::ContactObject(MessengerState& state, Contact contact)
    : AutomationObject({IID_IMessengerContact}), state_(state), contact_(std::move(contact)) {}

HRESULT ContactObject::get_FriendlyName(BSTR* name) {
  return ReturnText(state_, contact_, "FriendlyName", contact_.friendlyName, name);
}

HRESULT ContactObject::get_SigninName(BSTR* name) {
  return ReturnText(state_, contact_, "SigninName", contact_.signinName, name);
}

ContactsObject::ContactsObject(MessengerState& state)
    : AutomationObject({IID_IMessengerContacts}), state_(state) {}

HRESULT ContactsObject::get_Count(LONG* count) {
  if (!count) return E_POINTER;
  *count = static_cast<LONG>(state_.Contacts().size());
  state_.Log().Line("call contacts Count -> " + std::to_string(*count));
  return S_OK;
}

HRESULT ContactsObject::Item(LONG index, IDispatch** contact) {
  if (!contact) return E_POINTER;
  *contact = nullptr;
  const std::string call = "call contacts Item " + std::to_string(index) + " -> ";
  if (index < 0 || static_cast<size_t>(index) >= state_.Contacts().size()) {
    state_.Log().Line(call + "error E_INVALIDARG");
    return Failure(E_INVALIDARG, IID_IMessengerContacts,
                   L"There is no contact at index " + std::to_wstring(index) + L".");
  }
  const Contact& found = state_.Contacts()[static_cast<size_t>(index)];
  state_.Log().Line(call + "contact " + Quoted(found.signinName));
  *contact = new ContactObject(state_, found);
  return S_OK;
}

}  // namespace msgrsim

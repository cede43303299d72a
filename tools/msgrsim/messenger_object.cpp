#include "messenger_object.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "contact_objects.h"
#include "window_object.h"

namespace msgrsim {
namespace {

// MSGR_E_USER_NOT_FOUND, the messenger's own failure for a name it does not know.
constexpr HRESULT kUserNotFound = static_cast<HRESULT>(0x8100030A);

// The event points of the Messenger objects alive now, so that an event reaches every client.
std::vector<const ConnectionPoint*>& LivePoints() {
  static std::vector<const ConnectionPoint*> points;
  return points;
}

}  // namespace

std::string Hex(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

MessengerBase::MessengerBase()
    : AutomationObject({IID_IMessenger3, IID_IMessenger2, IID_IMessenger}),
      events_(*this, DIID_DMessengerEvents, IID_IDispatch) {
  LivePoints().push_back(&events_);
}

MessengerBase::~MessengerBase() {
  auto& points = LivePoints();
  points.erase(std::remove(points.begin(), points.end(), &events_), points.end());
}

void* MessengerBase::OtherInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    return static_cast<IConnectionPointContainer*>(this);
  }
  return nullptr;
}

HRESULT MessengerBase::EnumConnectionPoints(IEnumConnectionPoints** points) {
  return EnumerateConnectionPoints({&events_}, points);
}

HRESULT MessengerBase::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(iid, DIID_DMessengerEvents)) return CONNECT_E_NOCONNECTION;
  *point = &events_;
  events_.AddRef();
  return S_OK;
}

ComPtr<IMessengerContact> ContactArgument(VARIANT& contact) {
  VARIANT* value = V_VT(&contact) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&contact) : &contact;
  ComPtr<IMessengerContact> asked;
  if (V_VT(value) == VT_DISPATCH && V_DISPATCH(value)) {
    V_DISPATCH(value)->QueryInterface(IID_IMessengerContact, asked.PutVoid());
  }
  return asked;
}

HRESULT MessengerObject::StartVoice(VARIANT contact, IDispatch** window) {
  if (!window) return E_POINTER;
  *window = nullptr;
  const ComPtr<IMessengerContact> asked = ContactArgument(contact);
  BSTR signinName = nullptr;
  if (!asked || FAILED(asked->get_SigninName(&signinName))) {
    state_.Log().Line("call StartVoice -> error E_INVALIDARG");
    return Failure(E_INVALIDARG, IID_IMessenger, L"StartVoice takes a contact object.");
  }
  const std::wstring name(signinName, SysStringLen(signinName));
  SysFreeString(signinName);
  const Contact* known = state_.FindContact(name);
  const Contact callee = known ? *known : Contact{name, name};
  const int number = state_.Open(callee, MessengerState::Kind::OutgoingVoice).number;
  state_.Log().Line("call StartVoice contact " + Quoted(name) + " -> window " +
                    std::to_string(number));
  *window = new WindowObject(state_, number);
  return S_OK;
}

HRESULT MessengerObject::GetContact(BSTR signinName, BSTR serviceId, IDispatch** contact) {
  if (!contact) return E_POINTER;
  *contact = nullptr;
  const std::wstring name(signinName ? signinName : L"", SysStringLen(signinName));
  const std::wstring service(serviceId ? serviceId : L"", SysStringLen(serviceId));
  const std::string call = "call GetContact " + Quoted(name) + " " + Quoted(service) + " -> ";
  const Contact* found = state_.FindContact(name);
  if (!found) {
    state_.Log().Line(call + "error " + Hex(kUserNotFound));
    return Failure(kUserNotFound, IID_IMessenger,
                   L"The user " + name + L" is not in the contact list.");
  }
  state_.Log().Line(call + "contact " + Quoted(name));
  *contact = new ContactObject(state_, *found);
  return S_OK;
}

HRESULT MessengerObject::get_MyContacts(IDispatch** contacts) {
  if (!contacts) return E_POINTER;
  state_.Log().Line("call MyContacts -> contacts " + std::to_string(state_.Contacts().size()));
  *contacts = new ContactsObject(state_);
  return S_OK;
}

HRESULT MessengerObject::get_MyStatus(LONG* status) {
  if (!status) return E_POINTER;
  *status = state_.Status();
  state_.Log().Line("call MyStatus -> " + std::to_string(*status));
  return S_OK;
}

HRESULT MessengerObject::put_MyStatus(LONG status) {
  state_.Log().Line("call MyStatus = " + std::to_string(status));
  state_.SetStatus(status);
  return S_OK;
}

void FireWindowCreated(MessengerState& state, int number) {
  FireWindowCreated(state.Log(), number,
                    [&state, number]() -> IDispatch* { return new WindowObject(state, number); });
}

void FireWindowCreated(CallLog& log, int number, const std::function<IDispatch*()>& newWindow) {
  static const DISPID dispid = MemberId(DIID_DMessengerEvents, L"OnIMWindowCreated");
  std::vector<ComPtr<IUnknown>> sinks;
  for (const ConnectionPoint* point : LivePoints()) {
    // Sinks() hands out references of their own.
    for (IUnknown* sink : point->Sinks()) sinks.push_back(ComPtr<IUnknown>::Adopt(sink));
  }
  log.Line("event OnIMWindowCreated window " + std::to_string(number) + " to " +
           std::to_string(sinks.size()) + " sink(s)");
  for (const ComPtr<IUnknown>& sink : sinks) {
    // Each sink was asked for DMessengerEvents or IDispatch: either is an IDispatch.
    auto* events = reinterpret_cast<IDispatch*>(sink.Get());
    VARIANT window;
    V_VT(&window) = VT_DISPATCH;
    V_DISPATCH(&window) = newWindow();
    DISPPARAMS params = {&window, nullptr, 1, 0};
    const HRESULT result = events->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                          &params, nullptr, nullptr, nullptr);
    VariantClear(&window);
    if (FAILED(result)) log.Line("event OnIMWindowCreated failed " + Hex(result));
  }
}

}  // namespace msgrsim

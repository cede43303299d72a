// The Messenger object (IMessenger3) that a client creates, with the connection point of its
// events (DMessengerEvents). Every object of every client hears every event.
#pragma once

#include <functional>
#include <string>

#include "automation_object.h"
#include "connection_point.h"
#include "messenger_state.h"
#include "msgrsim_h.h"

namespace msgrsim {

// What every Messenger object (IMessenger3) has: the connection point of its events
// (DMessengerEvents), listed among those that hear OnIMWindowCreated while the object lives.
class MessengerBase : public AutomationObject<IMessenger3>, public IConnectionPointContainer {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return AutomationObject::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AutomationObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return AutomationObject::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 protected:
  MessengerBase();
  ~MessengerBase() override;
  void* OtherInterface(REFIID iid) override;

 private:
  ConnectionPoint events_;
};

// The Messenger object of the scripted world.
class MessengerObject : public MessengerBase {
 public:
  // state is not owned and outlives every object.
  explicit MessengerObject(MessengerState& state) : state_(state) {}

  HRESULT STDMETHODCALLTYPE StartVoice(VARIANT contact, IDispatch** window) override;
  HRESULT STDMETHODCALLTYPE GetContact(BSTR signinName, BSTR serviceId,
                                       IDispatch** contact) override;
  HRESULT STDMETHODCALLTYPE get_MyContacts(IDispatch** contacts) override;
  HRESULT STDMETHODCALLTYPE get_MyStatus(LONG* status) override;
  HRESULT STDMETHODCALLTYPE put_MyStatus(LONG status) override;

 private:
  MessengerState& state_;
};

// StartVoice's argument as the contact it should be; null when it is none.
ComPtr<IMessengerContact> ContactArgument(VARIANT& contact);

// Raises OnIMWindowCreated for the conversation on every Messenger object's sinks.
void FireWindowCreated(MessengerState& state, int number);
// The same for any window object: newWindow makes one for each sink.
void FireWindowCreated(CallLog& log, int number, const std::function<IDispatch*()>& newWindow);
std::string Hex(HRESULT result);

}  // namespace msgrsim

// The messenger's automation objects over the core's Messenger port, for a messenger whose
// calls are made elsewhere (baresip): each member calls the port, and a RuntimeError becomes
// the HRESULT and description the client sees.
#pragma once

#include <memory>

#include "automation_object.h"
#include "call_log.h"
#include "messenger.h"
#include "messenger_object.h"
#include "msgrsim_h.h"

namespace msgrsim {

class PortMessengerObject : public MessengerBase {
 public:
  // log is not owned and outlives every object.
  PortMessengerObject(CallLog& log, std::shared_ptr<dorvane::Messenger> messenger)
      : log_(log), messenger_(std::move(messenger)) {}

  HRESULT STDMETHODCALLTYPE StartVoice(VARIANT contact, IDispatch** window) override;
  HRESULT STDMETHODCALLTYPE GetContact(BSTR signinName, BSTR serviceId,
                                       IDispatch** contact) override;
  HRESULT STDMETHODCALLTYPE get_MyContacts(IDispatch** contacts) override;
  HRESULT STDMETHODCALLTYPE get_MyStatus(LONG* status) override;
  HRESULT STDMETHODCALLTYPE put_MyStatus(LONG status) override;

 private:
  CallLog& log_;
  std::shared_ptr<dorvane::Messenger> messenger_;
};

IDispatch* NewPortWindowObject(CallLog& log, std::shared_ptr<dorvane::MessengerWindow> window);

}  // namespace msgrsim

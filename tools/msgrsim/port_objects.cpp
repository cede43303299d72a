#include "port_objects.h"

#include <cstdio>
#include <exception>

#include "runtime_error.h"
#include "text.h"

namespace msgrsim {
namespace {

// A failure as a client sees it: an HRESULT stays one; a runtime error number travels as
// automation errors carry them.
HRESULT Fail(CallLog& log, const std::string& call, REFIID iid,
             const dorvane::RuntimeError& error) {
  const HRESULT result = error.Number < 0
                             ? static_cast<HRESULT>(error.Number)
                             : MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.Number);
  log.Line("call " + call + " -> error " + Hex(result));
  return Failure(result, iid, Utf8ToWide(error.Description));
}

// Calls the port; its failure, or any other exception, becomes the call's HRESULT.
template <typename F>
HRESULT Guarded(CallLog& log, const std::string& call, REFIID iid, F&& body) {
  try {
    body();
    return S_OK;
  } catch (const dorvane::RuntimeError& error) {
    return Fail(log, call, iid, error);
  } catch (const std::exception& error) {
    return Fail(log, call, iid, dorvane::RuntimeError(E_FAIL, error.what()));
  }
}

BSTR Text(const std::string& utf8) { return Utf8ToBstr(utf8); }

std::string FromBstr(BSTR text) { return WideToUtf8(text ? text : L"", SysStringLen(text)); }

class PortContactObject : public AutomationObject<IMessengerContact> {
 public:
  PortContactObject(CallLog& log, std::shared_ptr<dorvane::MessengerContact> contact)
      : AutomationObject({IID_IMessengerContact}), log_(log), contact_(std::move(contact)) {}

  HRESULT STDMETHODCALLTYPE get_FriendlyName(BSTR* name) override {
    if (!name) return E_POINTER;
    return Guarded(log_, "contact FriendlyName", IID_IMessengerContact,
                   [&] { *name = Text(contact_->FriendlyName()); });
  }
  HRESULT STDMETHODCALLTYPE get_SigninName(BSTR* name) override {
    if (!name) return E_POINTER;
    return Guarded(log_, "contact SigninName", IID_IMessengerContact,
                   [&] { *name = Text(contact_->SigninName()); });
  }

 private:
  CallLog& log_;
  std::shared_ptr<dorvane::MessengerContact> contact_;
};

class PortContactsObject : public AutomationObject<IMessengerContacts> {
 public:
  PortContactsObject(CallLog& log, std::shared_ptr<dorvane::MessengerContacts> contacts)
      : AutomationObject({IID_IMessengerContacts}), log_(log), contacts_(std::move(contacts)) {}

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    if (!count) return E_POINTER;
    return Guarded(log_, "contacts Count", IID_IMessengerContacts,
                   [&] { *count = contacts_->Count(); });
  }
  HRESULT STDMETHODCALLTYPE Item(LONG index, IDispatch** contact) override {
    if (!contact) return E_POINTER;
    *contact = nullptr;
    return Guarded(log_, "contacts Item " + std::to_string(index), IID_IMessengerContacts,
                   [&] { *contact = new PortContactObject(log_, contacts_->Item(index)); });
  }

 private:
  CallLog& log_;
  std::shared_ptr<dorvane::MessengerContacts> contacts_;
};

class PortWindowObject : public AutomationObject<IMessengerConversationWnd> {
 public:
  PortWindowObject(CallLog& log, std::shared_ptr<dorvane::MessengerWindow> window)
      : AutomationObject({IID_IMessengerConversationWnd, IID_IMessengerWindow}),
        log_(log),
        window_(std::move(window)) {}

  HRESULT STDMETHODCALLTYPE Close() override {
    log_.Line("call window Close");
    return Guarded(log_, "window Close", IID_IMessengerWindow, [&] { window_->Close(); });
  }
  HRESULT STDMETHODCALLTYPE get_HWND(LONG* window) override {
    if (!window) return E_POINTER;
    // Window handles are 32-bit values in every process, so a long carries them.
    return Guarded(log_, "window HWND", IID_IMessengerWindow,
                   [&] { *window = static_cast<LONG>(window_->HWND()); });
  }
  HRESULT STDMETHODCALLTYPE get_IsClosed(VARIANT_BOOL* closed) override {
    if (!closed) return E_POINTER;
    return Guarded(log_, "window IsClosed", IID_IMessengerWindow,
                   [&] { *closed = window_->IsClosed() ? VARIANT_TRUE : VARIANT_FALSE; });
  }
  HRESULT STDMETHODCALLTYPE get_History(BSTR* text) override {
    if (!text) return E_POINTER;
    return Guarded(log_, "window History", IID_IMessengerConversationWnd,
                   [&] { *text = Text(window_->History()); });
  }

 private:
  CallLog& log_;
  std::shared_ptr<dorvane::MessengerWindow> window_;
};

// The contact a client hands to StartVoice, read through its own interface: it may be any
// object that offers one.
std::shared_ptr<dorvane::MessengerContact> ReadContact(VARIANT& contact) {
  const ComPtr<IMessengerContact> asked = ContactArgument(contact);
  BSTR signinName = nullptr;
  BSTR friendlyName = nullptr;
  if (!asked || FAILED(asked->get_SigninName(&signinName))) return nullptr;
  if (FAILED(asked->get_FriendlyName(&friendlyName))) friendlyName = nullptr;
  auto read = std::make_shared<dorvane::NamedContact>(FromBstr(signinName), FromBstr(friendlyName));
  SysFreeString(signinName);
  SysFreeString(friendlyName);
  return read;
}

}  // namespace

HRESULT PortMessengerObject::StartVoice(VARIANT contact, IDispatch** window) {
  if (!window) return E_POINTER;
  *window = nullptr;
  const std::shared_ptr<dorvane::MessengerContact> callee = ReadContact(contact);
  if (!callee) {
    log_.Line("call StartVoice -> error E_INVALIDARG");
    return Failure(E_INVALIDARG, IID_IMessenger, L"StartVoice takes a contact object.");
  }
  const std::string call = "StartVoice contact " + Quoted(Utf8ToWide(callee->SigninName()));
  return Guarded(log_, call, IID_IMessenger, [&] {
    std::shared_ptr<dorvane::MessengerWindow> started = messenger_->StartVoice(callee);
    log_.Line("call " + call);
    *window = NewPortWindowObject(log_, std::move(started));
  });
}

HRESULT PortMessengerObject::GetContact(BSTR signinName, BSTR serviceId, IDispatch** contact) {
  if (!contact) return E_POINTER;
  *contact = nullptr;
  const std::string name = FromBstr(signinName);
  return Guarded(log_, "GetContact " + Quoted(Utf8ToWide(name)), IID_IMessenger, [&] {
    *contact = new PortContactObject(log_, messenger_->GetContact(name, FromBstr(serviceId)));
  });
}

HRESULT PortMessengerObject::get_MyContacts(IDispatch** contacts) {
  if (!contacts) return E_POINTER;
  *contacts = nullptr;
  return Guarded(log_, "MyContacts", IID_IMessenger,
                 [&] { *contacts = new PortContactsObject(log_, messenger_->MyContacts()); });
}

HRESULT PortMessengerObject::get_MyStatus(LONG* status) {
  if (!status) return E_POINTER;
  return Guarded(log_, "MyStatus", IID_IMessenger, [&] {
    *status = messenger_->MyStatus();
    log_.Line("call MyStatus -> " + std::to_string(*status));
  });
}

HRESULT PortMessengerObject::put_MyStatus(LONG status) {
  log_.Line("call MyStatus = " + std::to_string(status));
  return Guarded(log_, "MyStatus =", IID_IMessenger, [&] { messenger_->SetMyStatus(status); });
}

IDispatch* NewPortWindowObject(CallLog& log, std::shared_ptr<dorvane::MessengerWindow> window) {
  return new PortWindowObject(log, std::move(window));
}

}  // namespace msgrsim

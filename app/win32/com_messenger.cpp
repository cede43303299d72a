#include "com_messenger.h"

#include "dispatch_call.h"
#include "messenger_events.h"
#include "messenger_ids.h"
#include "runtime_error.h"

namespace dorvane::win32 {
namespace {

// Property reads as a late-bound client makes them: either kind of member may answer.
constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
// The collection's default member, Item.
constexpr DISPID kDefaultMember = DISPID_VALUE;

}  // namespace

std::string ComMessengerContact::SigninName() {
  return AsText(Call(object_.Get(), L"SigninName", kGet));
}

std::string ComMessengerContact::FriendlyName() {
  return AsText(Call(object_.Get(), L"FriendlyName", kGet));
}

WindowHandle ComMessengerWindow::HWND() {
  // A window handle travels as a 32-bit long; widening it sign-extends, as LongToHandle does.
  return static_cast<WindowHandle>(
      static_cast<intptr_t>(AsLong(Call(object_.Get(), L"HWND", kGet))));
}

bool ComMessengerWindow::IsClosed() { return AsBool(Call(object_.Get(), L"IsClosed", kGet)); }

void ComMessengerWindow::Close() { Call(object_.Get(), L"Close", DISPATCH_METHOD); }

std::string ComMessengerWindow::History() { return AsText(Call(object_.Get(), L"History", kGet)); }

int32_t ComMessengerContacts::Count() { return AsLong(Call(object_.Get(), L"Count", kGet)); }

std::shared_ptr<MessengerContact> ComMessengerContacts::Item(int32_t index) {
  const Variant item = Call(object_.Get(), kDefaultMember, kGet, {Variant::Long(index)});
  return std::make_shared<ComMessengerContact>(AsObject(item, IID_IDispatch));
}

ComMessenger::ComMessenger(ComPtr<IDispatch> object, std::unique_ptr<MessengerEvents> events)
    : object_(std::move(object)), events_(std::move(events)) {}

ComMessenger::~ComMessenger() = default;

int32_t ComMessenger::MyStatus() { return AsLong(Call(object_.Get(), L"MyStatus", kGet)); }

void ComMessenger::SetMyStatus(int32_t status) {
  Call(object_.Get(), L"MyStatus", DISPATCH_PROPERTYPUT, {Variant::Long(status)});
}

std::shared_ptr<MessengerContact> ComMessenger::GetContact(const std::string& signinName,
                                                           const std::string& serviceId) {
  const Variant contact = Call(object_.Get(), L"GetContact", DISPATCH_METHOD,
                               {Variant::Text(signinName), Variant::Text(serviceId)});
  return std::make_shared<ComMessengerContact>(AsObject(contact, kIidMessengerContact));
}

std::shared_ptr<MessengerWindow> ComMessenger::StartVoice(
    const std::shared_ptr<MessengerContact>& contact) {
  if (!contact) throw failure::ObjectNotSet();
  const auto* ours = dynamic_cast<const ComMessengerContact*>(contact.get());
  if (!ours) throw failure::TypeMismatch();
  const Variant window =
      Call(object_.Get(), L"StartVoice", DISPATCH_METHOD, {Variant::Object(ours->Object())});
  return std::make_shared<ComMessengerWindow>(AsObject(window, kIidMessengerWindow));
}

std::shared_ptr<MessengerContacts> ComMessenger::MyContacts() {
  const Variant contacts = Call(object_.Get(), L"MyContacts", kGet);
  return std::make_shared<ComMessengerContacts>(AsObject(contacts, IID_IDispatch));
}

}  // namespace dorvane::win32

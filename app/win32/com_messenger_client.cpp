#include "com_messenger_client.h"

#include "com_messenger.h"
#include "dispatch_call.h"
#include "messenger_ids.h"

namespace dorvane::win32 {

std::shared_ptr<Messenger> ComMessengerClient::CreateMessenger() {
  ComPtr<IUnknown> created;
  HRESULT result =
      CoCreateInstance(kClsidMessenger, nullptr, CLSCTX_SERVER, kIidMessenger3, created.PutVoid());
  if (FAILED(result)) ThrowFailure(result);
  ComPtr<IDispatch> messenger;
  result = created->QueryInterface(kIidMessenger, messenger.PutVoid());
  if (FAILED(result)) ThrowFailure(result);
  auto events = std::make_unique<MessengerEvents>(messenger.Get(), calls_, onWindowCreated_);
  return std::make_shared<ComMessenger>(std::move(messenger), std::move(events));
}

}  // namespace dorvane::win32

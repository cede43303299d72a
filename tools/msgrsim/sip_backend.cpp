#include "sip_backend.h"

#include "port_objects.h"
#include "runtime_error.h"
#include "text.h"

namespace msgrsim {
namespace {

constexpr wchar_t kNoticeClass[] = L"MsgrsimSipNotices";
constexpr UINT kSocketNotice = WM_APP + 10;
constexpr UINT kTaskPosted = WM_APP + 11;

HWND CreateNoticeWindow(SipBackend* backend, WNDPROC procedure) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kNoticeClass;
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, kNoticeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(backend));
  return window;
}

}  // namespace

SipBackend::SipBackend(MessengerState& state, Endpoint endpoint)
    : state_(state),
      notices_(CreateNoticeWindow(this, &SipBackend::NoticeProc)),
      connection_(std::move(endpoint), notices_, kSocketNotice),
      model_(connection_, *this) {
  connection_.SetHandlers([this](const std::string& bytes) { model_.BytesArrived(bytes); },
                          [this] {
                            state_.Log().Line("baresip dropped the connection");
                            model_.ConnectionDropped();
                          });
  model_.SetOnWindowCreated(
      [this](std::shared_ptr<dorvane::MessengerWindow> window) { WindowCreated(window); });
  state_.owner = this;
}

SipBackend::~SipBackend() {
  state_.owner = nullptr;
  connection_.Close();
  if (notices_) DestroyWindow(notices_);
}

bool SipBackend::Start(std::wstring& failure) {
  try {
    model_.CreateMessenger();
    ShowWorld();
    return true;
  } catch (const dorvane::RuntimeError& error) {
    failure = Utf8ToWide(error.Description);
    return false;
  }
}

void SipBackend::ShowWorld() {
  std::vector<Contact> contacts;
  for (const dorvane::sip::SipContact& contact : model_.Contacts()) {
    contacts.push_back({Utf8ToWide(contact.address), Utf8ToWide(contact.displayName)});
  }
  state_.SetContacts(std::move(contacts));
  state_.SetStatus(model_.Status());
}

HRESULT SipBackend::CreateInstance(REFIID iid, void** object) {
  state_.Log().Line("call create");
  std::shared_ptr<dorvane::Messenger> messenger;
  try {
    messenger = model_.CreateMessenger();
  } catch (const dorvane::RuntimeError& error) {
    state_.Log().Line("call create -> error: " + error.Description);
    return CO_E_SERVER_EXEC_FAILURE;
  }
  return HandOver(
      static_cast<IMessenger3*>(new PortMessengerObject(state_.Log(), std::move(messenger))), iid,
      object);
}

void SipBackend::AcceptKeys(HWND window) {
  state_.Log().Line("keys Alt+T");
  model_.KeysSent(reinterpret_cast<dorvane::WindowHandle>(window), "%T");
}

void SipBackend::CloseAsked(HWND window) {
  model_.WindowClosed(reinterpret_cast<dorvane::WindowHandle>(window));
}

dorvane::WindowHandle SipBackend::OpenWindow(const std::string& title) {
  const std::wstring name = Utf8ToWide(title);
  Conversation& opened = state_.Open(Contact{name, name}, MessengerState::Kind::Call);
  return reinterpret_cast<dorvane::WindowHandle>(opened.window);
}

void SipBackend::ShowText(dorvane::WindowHandle window, const std::string& history) {
  if (Conversation* shown = state_.FindByWindow(reinterpret_cast<HWND>(window))) {
    state_.ShowText(*shown, Utf8ToWide(history));
  }
}

void SipBackend::CloseWindow(dorvane::WindowHandle window) {
  if (Conversation* closed = state_.FindByWindow(reinterpret_cast<HWND>(window))) {
    state_.Close(*closed, "the call model");
  }
}

void SipBackend::Post(std::function<void()> task) {
  tasks_.push_back(std::move(task));
  PostMessageW(notices_, kTaskPosted, 0, 0);
}

void SipBackend::WindowCreated(std::shared_ptr<dorvane::MessengerWindow> window) {
  const Conversation* shown = state_.FindByWindow(reinterpret_cast<HWND>(window->HWND()));
  FireWindowCreated(state_.Log(), shown ? shown->number : 0,
                    [&] { return NewPortWindowObject(state_.Log(), window); });
}

LRESULT CALLBACK SipBackend::NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* backend = reinterpret_cast<SipBackend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (backend && message == kSocketNotice) {
    backend->connection_.Notified();
    return 0;
  }
  if (backend && message == kTaskPosted && !backend->tasks_.empty()) {
    const std::function<void()> task = std::move(backend->tasks_.front());
    backend->tasks_.pop_front();
    task();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace msgrsim

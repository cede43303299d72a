#include "win32_serial_port.h"

#include <mutex>
#include <set>
#include <utility>

#include "runtime_error.h"
#include "system_error.h"
#include "text.h"

namespace dorvane::win32 {
namespace {

// Wine opens a serial device as often as asked; the ports this process holds are refused here
// as Windows refuses them to a second opener.
std::mutex heldLock;
std::set<int16_t> heldPorts;

bool Hold(int16_t port) {
  std::lock_guard<std::mutex> guard(heldLock);
  return heldPorts.insert(port).second;
}

void Release(int16_t port) {
  std::lock_guard<std::mutex> guard(heldLock);
  heldPorts.erase(port);
}

RuntimeError SystemFailure(DWORD code) {
  return RuntimeError(static_cast<int32_t>(code), SystemErrorText(code));
}

RuntimeError OpenFailure(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return failure::InvalidPortNumber();
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return failure::PortAlreadyOpen();
    default:
      return SystemFailure(code);
  }
}

// 9600 8N1 without flow control; reads wait for all they ask for (the reader asks for what is
// there). Nothing left from before the port was opened is read.
bool Configure(HANDLE file) {
  DCB state = {};
  state.DCBlength = sizeof state;
  if (!SetupComm(file, 1024, 512) || !GetCommState(file, &state)) return false;
  state.BaudRate = CBR_9600;
  state.ByteSize = 8;
  state.Parity = NOPARITY;
  state.StopBits = ONESTOPBIT;
  state.fBinary = TRUE;
  state.fParity = FALSE;
  state.fOutxCtsFlow = FALSE;
  state.fOutxDsrFlow = FALSE;
  state.fDtrControl = DTR_CONTROL_ENABLE;
  state.fRtsControl = RTS_CONTROL_ENABLE;
  state.fDsrSensitivity = FALSE;
  state.fOutX = FALSE;
  state.fInX = FALSE;
  state.fErrorChar = FALSE;
  state.fNull = FALSE;
  state.fAbortOnError = FALSE;
  COMMTIMEOUTS timeouts = {};
  return SetCommState(file, &state) && SetCommTimeouts(file, &timeouts) &&
         PurgeComm(file, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

UniqueHandle OpenDevice(int16_t port) {
  const std::wstring name = L"\\\\.\\COM" + std::to_wstring(port);
  const HANDLE opened = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (opened == INVALID_HANDLE_VALUE) throw OpenFailure(GetLastError());
  UniqueHandle file(opened);
  if (!Configure(file.get())) throw SystemFailure(GetLastError());
  return file;
}

}  // namespace

Win32SerialPort::Win32SerialPort(PostedCalls& calls, std::function<void()> onComm)
    : calls_(calls),
      onComm_(std::move(onComm)),
      dataArrived_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

void Win32SerialPort::SetCommPort(int16_t port) {
  if (reader_) throw failure::PortAlreadyOpen();
  if (port < 1) throw failure::InvalidPortNumber();
  commPort_ = port;
}

void Win32SerialPort::SetPortOpen(bool open) {
  if (open) {
    Open();
  } else {
    Close();
  }
}

void Win32SerialPort::Open() {
  if (reader_ || !Hold(commPort_)) throw failure::PortAlreadyOpen();
  try {
    file_ = OpenDevice(commPort_);
    auto reader = std::make_shared<SerialReader>(file_.get(), dataArrived_.get());
    const std::weak_ptr<SerialReader> raisedBy = reader;
    reader->Start([this, raisedBy] {
      calls_.Post([this, raisedBy] {
        // Dropped when that port was closed after the event was posted.
        if (const std::shared_ptr<SerialReader> raiser = raisedBy.lock()) Deliver(*raiser);
      });
    });
    reader_ = std::move(reader);
  } catch (...) {
    file_.reset();
    Release(commPort_);
    throw;
  }
}

void Win32SerialPort::Close() {
  if (!reader_) return;
  reader_->Stop();
  reader_.reset();
  file_.reset();
  Release(commPort_);
}

void Win32SerialPort::Deliver(SerialReader& raiser) {
  raiser.Acknowledge();
  if (onComm_) onComm_();
}

void Win32SerialPort::Output(const std::string& text) {
  if (!reader_) throw failure::PortNotOpen();
  // The modem gets the commands in the ANSI code page, as the files get every other text.
  const std::string bytes = Utf8ToAnsi(text);
  const UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  OVERLAPPED write = {};
  write.hEvent = done.get();
  DWORD written = 0;
  const BOOL completed =
      WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &write);
  if ((!completed && GetLastError() != ERROR_IO_PENDING) ||
      !GetOverlappedResult(file_.get(), &write, &written, TRUE)) {
    throw SystemFailure(GetLastError());
  }
}

std::string Win32SerialPort::Input() {
  if (!reader_) throw failure::PortNotOpen();
  return reader_->Take();
}

}  // namespace dorvane::win32

#include "serial_reader.h"

#include <utility>

namespace dorvane::win32 {
namespace {

constexpr DWORD kLineEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_BREAK | EV_ERR;

UniqueHandle NewEvent() { return UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// An overlapped call has begun: it runs, or it has completed and set its event.
bool Began(BOOL completed) { return completed || GetLastError() == ERROR_IO_PENDING; }

}  // namespace

SerialReader::SerialReader(HANDLE port, HANDLE arrived)
    : port_(port), arrived_(arrived), stop_(NewEvent()) {}

void SerialReader::Start(std::function<void()> notify) {
  notify_ = std::move(notify);
  thread_ = std::thread(&SerialReader::Run, this);
}

void SerialReader::Stop() {
  if (!thread_.joinable()) return;
  SetEvent(stop_.get());
  thread_.join();
}

std::string SerialReader::Take() {
  std::lock_guard<std::mutex> guard(lock_);
  return std::exchange(received_, std::string());
}

// Characters come through a one-character read that waits for the first of them, not through
// WaitCommEvent: Wine aborts a waiting WaitCommEvent on a pseudo-terminal. Line events are
// watched beside the read where the device reports them.
void SerialReader::Run() {
  const UniqueHandle readDone = NewEvent();
  const UniqueHandle lineDone = NewEvent();
  OVERLAPPED read = {};
  OVERLAPPED line = {};
  read.hEvent = readDone.get();
  line.hEvent = lineDone.get();
  char first = 0;
  DWORD lineEvents = 0;
  const auto startRead = [&] {
    ResetEvent(read.hEvent);
    return Began(ReadFile(port_, &first, 1, nullptr, &read));
  };
  const auto startWatch = [&] {
    ResetEvent(line.hEvent);
    return Began(WaitCommEvent(port_, &lineEvents, &line));
  };

  bool watching = SetCommMask(port_, kLineEvents) && startWatch();
  bool reading = false;
  for (;;) {
    if (!reading && !(reading = startRead())) break;
    const HANDLE waits[] = {stop_.get(), readDone.get(), lineDone.get()};
    const DWORD woken = WaitForMultipleObjects(watching ? 3 : 2, waits, FALSE, INFINITE);
    DWORD count = 0;
    if (woken == WAIT_OBJECT_0 + 1) {
      reading = false;
      if (!GetOverlappedResult(port_, &read, &count, FALSE)) break;
      if (count == 1) Receive(first, read);
    } else if (woken == WAIT_OBJECT_0 + 2) {
      // A device that cannot report line events ends the watch, not the reading.
      watching = GetOverlappedResult(port_, &line, &count, FALSE);
      if (watching && lineEvents != 0) Notify();
      watching = watching && startWatch();
    } else {
      break;
    }
  }
  CancelIo(port_);
  DWORD ignored = 0;
  if (reading) GetOverlappedResult(port_, &read, &ignored, TRUE);
  if (watching) GetOverlappedResult(port_, &line, &ignored, TRUE);
}

// The rest of what waits in the driver joins the first character, so that a reply comes whole.
void SerialReader::Receive(char first, OVERLAPPED& read) {
  std::string chunk(1, first);
  DWORD errors = 0;
  COMSTAT status = {};
  if (ClearCommError(port_, &errors, &status) && status.cbInQue > 0) {
    chunk.resize(1 + status.cbInQue);
    DWORD count = 0;
    ResetEvent(read.hEvent);
    if (!Began(ReadFile(port_, &chunk[1], status.cbInQue, nullptr, &read)) ||
        !GetOverlappedResult(port_, &read, &count, TRUE)) {
      count = 0;
    }
    chunk.resize(1 + count);
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    received_ += chunk;
  }
  SetEvent(arrived_);
  Notify();
}

void SerialReader::Notify() {
  if (!notified_.exchange(true)) notify_();
}

}  // namespace dorvane::win32

#include "termios_serial_port.h"

#include <fcntl.h>
#include <glib-unix.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "runtime_error.h"

namespace dorvane::linux_host {
namespace {

// A line that takes nothing for this long is stuck: flow control is off, so only a dead
// device or a far end that stopped reading holds a write back.
constexpr gint64 kWritePatienceMs = 10000;

// The failures Windows reports for a serial device that was pulled or stopped taking data.
RuntimeError DeviceGone() { return {31, "A device attached to the system is not functioning."}; }
RuntimeError WriteTimedOut() {
  return {1121, "A serial I/O operation completed because the timeout period expired."};
}

RuntimeError OpenFailure(int error) {
  switch (error) {
    case EBUSY:
    case EWOULDBLOCK:
      return failure::PortAlreadyOpen();
    case EACCES:
    case EPERM:
    case EROFS:
      return failure::PermissionDenied();
    default:
      return failure::InvalidPortNumber();
  }
}

// 9600 8N1, raw, without flow control or modem-status hang-ups. With one character asked for, a
// non-blocking read of nothing answers EAGAIN and only a hung-up line reads as the end of file.
// Nothing left from before the port was opened is read or sent.
bool Configure(int fd) {
  termios state = {};
  if (tcgetattr(fd, &state) != 0) return false;
  cfmakeraw(&state);
  state.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  state.c_cflag |= CS8 | CLOCAL | CREAD;
  state.c_iflag &= ~(IXON | IXOFF | IXANY);
  state.c_cc[VMIN] = 1;
  state.c_cc[VTIME] = 0;
  if (cfsetispeed(&state, B9600) != 0 || cfsetospeed(&state, B9600) != 0 ||
      tcsetattr(fd, TCSANOW, &state) != 0) {
    return false;
  }
  int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd, TIOCMBIS, &lines);  // a pseudo-terminal has no modem lines to raise
  tcflush(fd, TCIOFLUSH);
  return true;
}

}  // namespace

TermiosSerialPort::TermiosSerialPort(std::string configDir, std::function<void()> onComm)
    : configDir_(std::move(configDir)), onComm_(std::move(onComm)) {}

std::string TermiosSerialPort::DevicePath(int16_t port) const {
  if (!configDir_.empty()) {
    const std::string link = configDir_ + "/dosdevices/com" + std::to_string(port);
    struct stat status = {};
    if (lstat(link.c_str(), &status) == 0) return link;
  }
  return "/dev/ttyS" + std::to_string(port - 1);
}

void TermiosSerialPort::SetCommPort(int16_t port) {
  if (fd_ >= 0) throw failure::PortAlreadyOpen();
  if (port < 1) throw failure::InvalidPortNumber();
  commPort_ = port;
}

void TermiosSerialPort::SetPortOpen(bool open) {
  if (open) {
    Open();
  } else {
    Close();
  }
}

void TermiosSerialPort::Open() {
  if (fd_ >= 0) throw failure::PortAlreadyOpen();
  const int fd = open(DevicePath(commPort_).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw OpenFailure(errno);
  // The lock refuses every other opener that asks for it, this process included; TIOCEXCL
  // also refuses unprivileged ones that do not.
  int failed = 0;
  if (!isatty(fd)) {
    failed = ENOTTY;
  } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    failed = errno;
  } else if (!Configure(fd)) {
    failed = ENOTTY;
  }
  if (failed != 0) {
    close(fd);
    throw OpenFailure(failed);
  }
  ioctl(fd, TIOCEXCL);
  fd_ = fd;
  gone_ = false;
  received_.clear();
  watch_ = g_unix_fd_add(fd_, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                         &TermiosSerialPort::OnReadable, this);
}

void TermiosSerialPort::Close() {
  if (fd_ < 0) return;
  if (watch_ != 0) g_source_remove(watch_);
  if (delivery_ != 0) g_source_remove(delivery_);
  watch_ = 0;
  delivery_ = 0;
  // The exclusive mode outlives this descriptor while the far end holds the line open.
  ioctl(fd_, TIOCNXCL);
  close(fd_);
  fd_ = -1;
  gone_ = false;
  received_.clear();
}

bool TermiosSerialPort::Drain() {
  char chunk[1024];
  for (;;) {
    const ssize_t count = read(fd_, chunk, sizeof chunk);
    if (count > 0) {
      received_.append(chunk, static_cast<size_t>(count));
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else if (count < 0 && errno == EAGAIN) {
      return true;
    } else {
      // End of file on a non-blocking terminal means it hung up; EIO and ENXIO that it went.
      gone_ = true;
      return false;
    }
  }
}

gboolean TermiosSerialPort::OnReadable(gint, GIOCondition condition, gpointer self) {
  auto& port = *static_cast<TermiosSerialPort*>(self);
  const bool alive = port.Drain() && (condition & (G_IO_HUP | G_IO_ERR)) == 0;
  if (!alive) {
    port.gone_ = true;
    port.watch_ = 0;
  }
  if (port.delivery_ == 0) {
    port.delivery_ =
        g_idle_add_full(G_PRIORITY_DEFAULT, &TermiosSerialPort::OnDeliver, self, nullptr);
  }
  return alive ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

gboolean TermiosSerialPort::OnDeliver(gpointer self) {
  auto& port = *static_cast<TermiosSerialPort*>(self);
  port.delivery_ = 0;
  if (port.onComm_) port.onComm_();
  return G_SOURCE_REMOVE;
}

void TermiosSerialPort::Output(const std::string& text) {
  if (fd_ < 0) throw failure::PortNotOpen();
  if (gone_) throw DeviceGone();
  const gint64 deadline = g_get_monotonic_time() + kWritePatienceMs * 1000;
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(fd_, text.data() + written, text.size() - written);
    if (count > 0) {
      written += static_cast<size_t>(count);
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && errno == EAGAIN) {
      const gint64 left = (deadline - g_get_monotonic_time()) / 1000;
      if (left <= 0) throw WriteTimedOut();
      pollfd writable = {fd_, POLLOUT, 0};
      if (poll(&writable, 1, static_cast<int>(left)) >= 0 &&
          (writable.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0) {
        continue;
      }
    }
    gone_ = true;
    throw DeviceGone();
  }
}

std::string TermiosSerialPort::Input() {
  if (fd_ < 0) throw failure::PortNotOpen();
  if (!gone_) Drain();
  if (gone_ && received_.empty()) throw DeviceGone();
  return std::exchange(received_, std::string());
}

void TermiosSerialPort::WaitForData(int timeoutMs) {
  if (fd_ >= 0 && !gone_) {
    pollfd readable = {fd_, POLLIN, 0};
    if (poll(&readable, 1, timeoutMs) <= 0 ||
        (readable.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0 || Drain()) {
      return;
    }
  }
  // Nothing can arrive: the time passes all the same, without spinning the caller's wait.
  g_usleep(static_cast<gulong>(std::max(timeoutMs, 0)) * 1000);
}

std::vector<int16_t> LinkedComPorts(const std::string& configDir) {
  namespace fs = std::filesystem;
  std::vector<int16_t> ports;
  std::error_code error;
  std::error_code unreadable;
  for (fs::directory_iterator entry(fs::path(configDir) / "dosdevices", error), end;
       !error && entry != end; entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.size() < 4 || name.size() > 8 || name.compare(0, 3, "com") != 0 || name[3] == '0' ||
        !std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        !entry->is_symlink(unreadable)) {
      continue;
    }
    const long number = std::stol(name.substr(3));
    if (number <= INT16_MAX) ports.push_back(static_cast<int16_t>(number));
  }
  std::sort(ports.begin(), ports.end());
  return ports;
}

}  // namespace dorvane::linux_host

#include "core/link/CSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/link/SerialLineSettingsPosix.h"

namespace qorrin {
namespace {

using Clock = std::chrono::steady_clock;

// Whole milliseconds left until the deadline, rounded up so that a wait never ends
// just short of it and spins.
int MillisLeft(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

std::string DescribeOpenFailure(const std::string& device, int error) {
  std::string text = "cannot open " + device + ": " + std::strerror(error);
  if (error == EACCES || error == EPERM) {
    text += " (add your user to the 'dialout' group: sudo usermod -aG dialout $USER, then log in again)";
  } else if (error == EBUSY) {
    text += " (another program is using it)";
  }
  return text;
}

// A write to a device with no flow control drains at the line rate; give up only when
// the bytes could not leave in many times that long.
int WriteBudgetMs(int length) { return 1000 + 2 * length; }

}  // namespace

CSerialPort::CSerialPort() {
  if (pipe(m_wakePipe) == 0) {
    for (int fd : m_wakePipe) {
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
      fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  } else {
    m_wakePipe[0] = m_wakePipe[1] = -1;
  }
}

CSerialPort::~CSerialPort() {
  Close();
  for (int fd : m_wakePipe) {
    if (fd >= 0) ::close(fd);
  }
}

int CSerialPort::Open(const std::string& device, int baudRate) {
  Close();
  // Non-blocking, so that a device waiting for carrier or a missing chip cannot hold us.
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    SetLastError(DescribeOpenFailure(device, errno));
    return 0;
  }
  if (!isatty(fd)) {
    ::close(fd);
    SetLastError("cannot open " + device + ": not a serial device");
    return 0;
  }
  // Exclusive use among programs that lock serial devices the same way.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    SetLastError(DescribeOpenFailure(device, error));
    return 0;
  }
  link::ApplyLineSettings(fd, baudRate);
  link::AssertModemLines(fd);
  {
    std::lock_guard lock(m_useMutex);
    m_hComm.store(fd);
  }
  SetLastError({});
  return 1;
}

bool CSerialPort::IsOpen() const { return m_hComm.load() >= 0; }

void CSerialPort::SetBaudRate(int baudRate) {
  std::lock_guard lock(m_useMutex);
  const int fd = m_hComm.load();
  if (fd >= 0) link::ApplyBaudRate(fd, baudRate);
}

void CSerialPort::Close() {
  if (m_hComm.load() < 0) return;
  m_closing.store(true);
  // Wake a read or write that is waiting on the device while holding it.
  const char wake = 1;
  if (m_wakePipe[1] >= 0) {
    const ssize_t ignored = ::write(m_wakePipe[1], &wake, 1);  // a full pipe is awake already
    (void)ignored;
  }
  std::lock_guard lock(m_useMutex);
  const int fd = m_hComm.exchange(-1);
  if (fd >= 0) ::close(fd);
  char drain[16];
  while (m_wakePipe[0] >= 0 && ::read(m_wakePipe[0], drain, sizeof drain) > 0) {
  }
  m_closing.store(false);
}

CSerialPort::Wait CSerialPort::WaitFor(short events, int timeoutMs) {
  pollfd fds[2] = {{m_hComm.load(), events, 0}, {m_wakePipe[0], POLLIN, 0}};
  const int ready = ::poll(fds, m_wakePipe[0] >= 0 ? 2 : 1, timeoutMs);
  if (ready < 0) return errno == EINTR ? Wait::TimedOut : Wait::Gone;
  if (ready == 0) return Wait::TimedOut;
  if (fds[1].revents != 0) return Wait::Gone;  // Close wants the descriptor
  if (fds[0].revents & events) return Wait::Ready;
  return Wait::Gone;  // hang-up or error: the device went away (adapter unplugged)
}

int CSerialPort::Read(std::uint8_t* buffer, int length, int timeoutMs) {
  if (length <= 0) return 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
  int received = 0;
  Wait waited = Wait::TimedOut;
  while (waited != Wait::Gone && !m_closing.load()) {
    std::unique_lock lock(m_useMutex);
    const int fd = m_hComm.load();
    if (fd < 0) break;
    const ssize_t n = ::read(fd, buffer + received, static_cast<std::size_t>(length - received));
    if (n > 0) {
      received += static_cast<int>(n);
      if (received == length) return received;
      waited = Wait::TimedOut;
      continue;
    }
    // EIO, or nothing although poll said readable: the device hung up (cable pulled).
    if (n < 0 && errno != EAGAIN && errno != EINTR) break;
    if (n == 0 && waited == Wait::Ready) break;
    const int left = MillisLeft(deadline);
    if (left == 0) return received;
    waited = WaitFor(POLLIN, left);
  }
  // Closed or gone: nothing more will come; run into the time-out as a silent line does,
  // without holding the port so that Close is never kept waiting.
  std::this_thread::sleep_until(deadline);
  return received;
}

int CSerialPort::WriteLocked(const std::uint8_t* data, int length) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(WriteBudgetMs(length));
  int sent = 0;
  while (sent < length && !m_closing.load()) {
    const int fd = m_hComm.load();
    if (fd < 0) break;
    const ssize_t n = ::write(fd, data + sent, static_cast<std::size_t>(length - sent));
    if (n > 0) {
      sent += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) break;
    const int left = MillisLeft(deadline);
    if (left == 0 || WaitFor(POLLOUT, left) == Wait::Gone) break;
  }
  return sent;
}

void CSerialPort::Sleep(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace qorrin

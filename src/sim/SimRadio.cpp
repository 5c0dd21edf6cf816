#include "sim/SimRadio.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace qorrin::sim {
namespace {

using Clock = std::chrono::steady_clock;

// A frame that stalls this long is abandoned, so a half-sent frame of a broken run
// cannot swallow the first bytes of the next one.
constexpr int kFrameIdleMs = 200;
// A client that stops reading gets this long before the radio drops what it sends.
constexpr int kWriteStallMs = 1000;

// What a byte looks like when it crosses a line whose ends disagree on the speed: framing
// garbage, never an acknowledgement, an 'N' or the byte itself.
std::uint8_t GarbledByte(std::uint8_t byte) {
  static constexpr std::uint8_t kGarbage[] = {0x00, 0x80, 0xF8, 0xE0, 0xFE, 0x78, 0xC0, 0x1E};
  std::uint8_t garbled = kGarbage[byte % std::size(kGarbage)];
  if (garbled == byte) garbled = kGarbage[(byte + 1) % std::size(kGarbage)];
  return garbled;
}

}  // namespace

SimRadio::SimRadio(SimConfig config, const RadioImage& image)
    : m_config(std::move(config)),
      m_image(image),
      m_protocol(m_image, m_config.faults),
      m_toRadio(m_config.paceBaud),
      m_toPc(m_config.paceBaud) {
  m_log.KeepInMemory(m_config.keepLog);
}

SimRadio::~SimRadio() { Stop(); }

bool SimRadio::Start(std::string* error) {
  if (!m_config.logPath.empty() && !m_log.OpenFile(m_config.logPath, error)) return false;
  if (pipe(m_wakePipe) != 0) {
    if (error) *error = "pipe failed";
    return false;
  }
  for (int fd : m_wakePipe) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  if (!m_pty.Open(error)) return false;
  m_devicePath = m_pty.SlavePath();
  if (!m_config.linkPath.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(m_config.linkPath, ec)) std::filesystem::remove(m_config.linkPath, ec);
    std::filesystem::create_symlink(m_devicePath, m_config.linkPath, ec);
    if (ec) {
      if (error) *error = "cannot create link " + m_config.linkPath + ": " + ec.message();
      m_pty.Close();
      return false;
    }
  }
  if (m_config.faults.staleAck) Send({0x06});
  m_thread = std::thread(&SimRadio::Serve, this);
  return true;
}

void SimRadio::Stop() {
  m_stop.store(true);
  Wake();
  if (m_thread.joinable()) m_thread.join();
  {
    std::lock_guard lock(m_lineMutex);
    m_pty.Close();
  }
  if (!m_config.linkPath.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(m_config.linkPath, ec) &&
        std::filesystem::read_symlink(m_config.linkPath, ec) == m_devicePath) {
      std::filesystem::remove(m_config.linkPath, ec);
    }
  }
  for (int& fd : m_wakePipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void SimRadio::Wake() {
  const char byte = 1;
  if (m_wakePipe[1] >= 0) {
    const ssize_t ignored = ::write(m_wakePipe[1], &byte, 1);
    (void)ignored;
  }
}

RadioImage SimRadio::Image() const {
  std::lock_guard lock(m_stateMutex);
  return m_image;
}

void SimRadio::SetImage(const RadioImage& image) {
  std::lock_guard lock(m_stateMutex);
  m_image = image;
}

int SimRadio::EntryCommandsSeen() const {
  std::lock_guard lock(m_stateMutex);
  return m_protocol.EntryCommandsSeen();
}

void SimRadio::Unplug() {
  m_unplugRequested.store(true);
  Wake();
  if (!m_thread.joinable()) PullCable();
}

void SimRadio::Send(const std::vector<std::uint8_t>& bytes) {
  m_log.Add(Clock::now(), false, bytes.data(), bytes.size());
  WriteMaster(bytes.data(), bytes.size());
}

void SimRadio::PullCable() {
  std::lock_guard lock(m_lineMutex);
  m_pty.Close();
  m_unplugged.store(true);
  m_log.Note("cable pulled");
}

void SimRadio::Serve() {
  std::uint8_t buffer[256];
  while (!m_stop.load()) {
    if (m_unplugRequested.load()) return PullCable();
    bool midFrame;
    {
      std::lock_guard lock(m_stateMutex);
      midFrame = m_protocol.MidFrame();
    }
    pollfd fds[2] = {{m_pty.MasterFd(), POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
    const int ready = ::poll(fds, 2, midFrame ? kFrameIdleMs : -1);
    if (ready == 0) {
      std::lock_guard lock(m_stateMutex);
      m_protocol.OnLineIdle();
      continue;
    }
    if (fds[1].revents) {
      char drain[16];
      while (::read(m_wakePipe[0], drain, sizeof drain) > 0) {
      }
      continue;
    }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(m_pty.MasterFd(), buffer, sizeof buffer);
      if (n > 0) Handle(buffer, static_cast<std::size_t>(n));
    } else if (fds[0].revents) {
      // Cannot happen while we hold a slave descriptor; do not spin if it does.
      SleepUnlessStopped(10);
    }
  }
}

void SimRadio::Handle(const std::uint8_t* data, std::size_t size) {
  const auto received = Clock::now();
  m_bytesReceived.fetch_add(static_cast<long>(size));
  m_log.Add(received, true, data, size);
  for (std::size_t i = 0; i < size; ++i) {
    if (m_toRadio.Enabled()) std::this_thread::sleep_until(m_toRadio.Arrival(received));
    if (m_config.faults.echo) Reply({data[i]});
    if (m_config.faults.wrongSpeed) {
      Reply({GarbledByte(data[i])});
      continue;
    }
    RadioReply reply;
    {
      std::lock_guard lock(m_stateMutex);
      reply = m_protocol.OnByte(data[i]);
    }
    if (reply.unplug) {
      m_unplugRequested.store(true);
      return;
    }
    if (reply.delayMs > 0 && !SleepUnlessStopped(reply.delayMs)) return;
    if (!reply.bytes.empty()) Reply(reply.bytes);
  }
}

void SimRadio::Reply(const std::vector<std::uint8_t>& bytes) {
  if (!m_toPc.Enabled()) {
    m_log.Add(Clock::now(), false, bytes.data(), bytes.size());
    WriteMaster(bytes.data(), bytes.size());
    return;
  }
  // Each byte becomes visible to the PC when its last bit has crossed the line.
  const auto start = Clock::now();
  for (std::uint8_t byte : bytes) {
    std::this_thread::sleep_until(m_toPc.Arrival(start));
    if (!WriteMaster(&byte, 1)) break;
  }
  m_log.Add(start, false, bytes.data(), bytes.size());
}

bool SimRadio::WriteMaster(const std::uint8_t* data, std::size_t size) {
  std::lock_guard lock(m_lineMutex);
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteStallMs);
  std::size_t sent = 0;
  while (sent < size && m_pty.IsOpen()) {
    const ssize_t n = ::write(m_pty.MasterFd(), data + sent, size - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd out = {m_pty.MasterFd(), POLLOUT, 0};
    ::poll(&out, 1, static_cast<int>(left));
  }
  return sent == size;
}

bool SimRadio::SleepUnlessStopped(int ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (!m_stop.load() && !m_unplugRequested.load()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return true;
    pollfd wake = {m_wakePipe[0], POLLIN, 0};
    ::poll(&wake, 1, static_cast<int>(left));
    if (wake.revents) return false;
  }
  return false;
}

}  // namespace qorrin::sim

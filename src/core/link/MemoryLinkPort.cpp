#include "core/link/MemoryLinkPort.h"

#include <algorithm>

namespace qorrin {

void MemoryLinkPort::Reply(const std::uint8_t* data, std::size_t size, long long delayMs) {
  long long at = m_nowMs + std::max(0LL, delayMs);
  if (HasInput()) {
    at = std::max(at, m_input.back().atMs + 1);
  } else {
    m_input.clear();
    m_inputHead = 0;
  }
  for (std::size_t i = 0; i < size; ++i) m_input.push_back({at + static_cast<long long>(i), data[i]});
}

int MemoryLinkPort::Open(const std::string& device, int /*baudRate*/) {
  Close();
  m_device = device;
  const bool ok = m_refuseReason.empty() && !m_unplugged;
  m_lastError = ok ? std::string() : "cannot open " + device + ": " +
                                         (m_refuseReason.empty() ? "device gone" : m_refuseReason);
  m_open = ok;
  Record(Event::kOpen, ok ? 1 : 0);
  return ok ? 1 : 0;
}

void MemoryLinkPort::Close() {
  if (!m_open) return;
  m_open = false;
  m_input.clear();
  m_inputHead = 0;
  Record(Event::kClose, 0);
}

int MemoryLinkPort::Write(const std::uint8_t* data, int length, int pauseMs, bool byteByByte) {
  if (!m_open || m_unplugged || length <= 0) return 0;
  if (!byteByByte) Advance(pauseMs);
  for (int i = 0; i < length; ++i) {
    if (byteByByte) Advance(pauseMs);
    if (m_peer) m_peer(*this, data[i]);
  }
  Record(Event::kWrite, pauseMs, data, static_cast<std::size_t>(length));
  return length;
}

int MemoryLinkPort::Read(std::uint8_t* buffer, int length, int timeoutMs) {
  if (length <= 0) return 0;
  const long long deadline = m_nowMs + std::max(0, timeoutMs);
  int received = 0;
  if (m_open && !m_unplugged) {
    while (received < length && HasInput() && m_input[m_inputHead].atMs <= deadline) {
      m_nowMs = std::max(m_nowMs, m_input[m_inputHead].atMs);
      buffer[received++] = m_input[m_inputHead++].value;
    }
  }
  // Short of bytes: the wait runs into the time-out, as on a silent line.
  if (received < length) m_nowMs = deadline;
  Record(Event::kRead, length, buffer, static_cast<std::size_t>(received));
  return received;
}

int MemoryLinkPort::ReadByte(int timeoutMs) {
  std::uint8_t value = 0;
  return Read(&value, 1, timeoutMs) == 1 ? value : -1;
}

void MemoryLinkPort::Sleep(int ms) {
  Advance(ms);
  Record(Event::kSleep, ms);
}

void MemoryLinkPort::Record(Event::Kind kind, int requested, const std::uint8_t* bytes, std::size_t size) {
  Event& e = m_events.emplace_back();
  e.kind = kind;
  e.atMs = m_nowMs;
  e.requested = requested;
  e.size = size;
  if (size > 0) std::copy_n(bytes, std::min(size, kMaxEventBytes), e.data.begin());
}

}  // namespace qorrin

#pragma once
// A port on memory with a virtual clock, standing in for CSerialPort where the transfer
// engine is tested and fuzzed: a whole read or write of the radio takes microseconds.
//
// The far end is a callback that sees each byte the engine sends, at the virtual time it
// is sent, and queues reply bytes with the time they arrive. Waiting (pauses, time-outs,
// Sleep) moves the clock on instead of sleeping. Every call is recorded, so a caller can
// check afterwards what the engine sent and what it received. One thread only.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <functional>
#include <string>
#include <vector>

#include "core/link/ILinkPort.h"

namespace qorrin {

class MemoryLinkPort : public ILinkPort {
 public:
  // One call of the engine, as the port saw it. The protocol's frames are at most 20
  // bytes; longer writes and reads keep their first kMaxEventBytes.
  static constexpr std::size_t kMaxEventBytes = 24;
  struct Event {
    enum Kind { kOpen, kClose, kWrite, kRead, kSleep } kind = kOpen;
    long long atMs = 0;   // virtual time when the call returned
    int requested = 0;    // bytes asked for (read), pause or sleep (ms), success (open)
    std::size_t size = 0;  // bytes sent (write) or received (read)
    std::array<std::uint8_t, kMaxEventBytes> data{};
    std::span<const std::uint8_t> Bytes() const { return {data.data(), std::min(size, kMaxEventBytes)}; }
    bool Is(std::initializer_list<std::uint8_t> bytes) const {
      return size == bytes.size() && std::equal(bytes.begin(), bytes.end(), data.begin());
    }
  };
  using Peer = std::function<void(MemoryLinkPort& port, std::uint8_t sent)>;

  MemoryLinkPort() { m_events.reserve(1024); }
  explicit MemoryLinkPort(Peer peer) : m_peer(std::move(peer)) { m_events.reserve(1024); }

  // --- the far end ---
  void SetPeer(Peer peer) { m_peer = std::move(peer); }
  // Queues bytes that arrive `delayMs` from now, one millisecond apart (about the pace of
  // the 9600-baud line), after anything queued before them.
  void Reply(const std::uint8_t* data, std::size_t size, long long delayMs = 0);
  void Reply(std::initializer_list<std::uint8_t> bytes, long long delayMs = 0) {
    Reply(bytes.begin(), bytes.size(), delayMs);
  }
  // The device goes away (cable pulled): nothing more arrives, writes are not taken.
  void Unplug() { m_unplugged = true; }
  // Open fails for every device from now on.
  void RefuseOpen(std::string reason) { m_refuseReason = std::move(reason); }

  bool IsUnplugged() const { return m_unplugged; }
  long long NowMs() const { return m_nowMs; }
  const std::vector<Event>& Events() const { return m_events; }
  const std::string& Device() const { return m_device; }

  // --- ILinkPort ---
  int Open(const std::string& device, int baudRate) override;
  bool IsOpen() const override { return m_open; }
  void SetBaudRate(int) override {}  // bytes on memory have no line speed
  void Close() override;
  int Write(const std::uint8_t* data, int length, int pauseMs, bool byteByByte) override;
  int WriteByte(std::uint8_t value, int pauseMs) override { return Write(&value, 1, pauseMs, false); }
  int Read(std::uint8_t* buffer, int length, int timeoutMs) override;
  int ReadByte(int timeoutMs) override;
  std::string LastError() const override { return m_lastError; }
  void Sleep(int ms) override;

 private:
  struct Arrival {
    long long atMs;
    std::uint8_t value;
  };
  void Advance(int ms) { m_nowMs += ms > 0 ? ms : 0; }
  bool HasInput() const { return m_inputHead < m_input.size(); }
  void Record(Event::Kind kind, int requested, const std::uint8_t* bytes = nullptr, std::size_t size = 0);

  Peer m_peer;
  long long m_nowMs = 0;
  bool m_open = false;
  bool m_unplugged = false;
  std::string m_refuseReason;
  std::string m_device;
  std::string m_lastError;
  // Queued reply bytes from m_inputHead on; the vector is emptied once drained, so a run
  // allocates it once instead of once per few dozen bytes.
  std::vector<Arrival> m_input;
  std::size_t m_inputHead = 0;
  std::vector<Event> m_events;
};

}  // namespace qorrin

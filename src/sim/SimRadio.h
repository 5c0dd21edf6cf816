#pragma once
// The simulated radio: a pseudo-terminal whose far end answers the programming protocol
// from a 4096-byte image, on a thread of its own. The program qorrin-sim is a thin shell
// around it; tests run it in-process.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/ByteLog.h"
#include "sim/ImageFile.h"
#include "sim/LinePacer.h"
#include "sim/PseudoTerminal.h"
#include "sim/RadioProtocol.h"
#include "sim/SimFaults.h"

namespace qorrin::sim {

struct SimConfig {
  SimFaults faults;
  int paceBaud = 0;      // 0: bytes cross at once (tests); 9600: as on the real cable
  std::string linkPath;  // also reachable through this symbolic link
  std::string logPath;   // timestamped byte log, both directions
  bool keepLog = false;  // keep every byte in memory for Log()
};

class SimRadio {
 public:
  explicit SimRadio(SimConfig config = {}, const RadioImage& image = BlankImage());
  ~SimRadio();
  SimRadio(const SimRadio&) = delete;
  SimRadio& operator=(const SimRadio&) = delete;

  // Creates the pseudo-terminal and starts answering. False with a reason on failure.
  bool Start(std::string* error = nullptr);
  // Stops answering and removes the pseudo-terminal (and the link).
  void Stop();

  const std::string& DevicePath() const { return m_devicePath; }
  RadioImage Image() const;
  void SetImage(const RadioImage& image);

  // Pulls the cable: the pseudo-terminal goes away under the client.
  void Unplug();
  bool Unplugged() const { return m_unplugged.load(); }

  // Takes the radio off the line that stays (false: it hears nothing, answers nothing,
  // and its sessions are forgotten) or puts one on it (true), with `image` when given.
  void SetPresent(bool present, const RadioImage* image = nullptr);
  // The programming sessions that ended since the radio was put on the line.
  std::vector<SessionRecord> Sessions() const;

  // Sends bytes nobody asked for (a stale acknowledgement, line noise).
  void Send(const std::vector<std::uint8_t>& bytes);

  int EntryCommandsSeen() const;
  // In programming mode: an entry command was acknowledged and no end command came since.
  bool InSession() const;
  long BytesReceived() const { return m_bytesReceived.load(); }
  std::vector<LoggedByte> Log() const { return m_log.Bytes(); }

 private:
  void Serve();
  void Handle(const std::uint8_t* data, std::size_t size);
  void Reply(const std::vector<std::uint8_t>& bytes);
  bool WriteMaster(const std::uint8_t* data, std::size_t size);
  bool SleepUnlessStopped(int ms);
  void PullCable();
  void Wake();

  SimConfig m_config;
  mutable std::mutex m_stateMutex;  // image and protocol
  RadioImage m_image;
  RadioProtocol m_protocol;
  std::mutex m_lineMutex;  // writes to the master and its closing
  PseudoTerminal m_pty;
  std::string m_devicePath;
  ByteLog m_log;
  LinePacer m_toRadio;
  LinePacer m_toPc;
  std::thread m_thread;
  int m_wakePipe[2] = {-1, -1};
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_unplugRequested{false};
  std::atomic<bool> m_unplugged{false};
  std::atomic<bool> m_absent{false};
  std::atomic<long> m_bytesReceived{0};
};

}  // namespace qorrin::sim

#pragma once
// Wakes a caller when serial devices may have come or gone, so that it can look again:
// on Linux through inotify on the folders where device nodes and their stable names
// appear (/dev, /dev/serial/by-id, a folder of links), on Windows by looking every
// second. The caller sleeps in Wait; nothing spins.
//
// A watched folder that does not exist yet (/dev/serial/by-id before the first USB
// adapter is plugged in) is watched through its nearest existing parent until it appears.
#include <memory>
#include <string>
#include <vector>

namespace qorrin::link {

class DeviceWatch {
 public:
  explicit DeviceWatch(std::vector<std::string> folders);
  ~DeviceWatch();
  DeviceWatch(const DeviceWatch&) = delete;
  DeviceWatch& operator=(const DeviceWatch&) = delete;

  // Blocks until an entry of a watched folder came, went or changed, Wake was called, or
  // timeoutMs passed (-1: no limit). True unless the time ran out with nothing to tell.
  bool Wait(int timeoutMs);
  // Ends a Wait at once (or the next one, when none is under way). Any thread.
  void Wake();

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace qorrin::link

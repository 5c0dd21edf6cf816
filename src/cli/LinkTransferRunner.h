#pragma once
// One read or write of the radio for qorrin-cli: the transfer engine on a worker thread,
// watched every 20 ms (progress bar on a terminal), Ctrl+C turned into Cancel.
#include <array>
#include <cstdint>
#include <string>

#include "core/model/RadioImageLayout.h"

namespace qorrin::cli {

// Where the radio is: a device path, a port number, or (neither) the configured "com"
// with the search that setting.ini allows.
struct LinkTarget {
  int port = 0;
  std::string device;
};

struct LinkRunResult {
  int status = 0;            // the engine's final TransferStatus
  bool interrupted = false;  // Ctrl+C: cancelled, port closed
  int progress = 0;          // last percentage reached
  std::string portText;      // "COM3 (/dev/ttyUSB0)" or the device path
  std::string detail;        // why the port gave no link, when the engine knows
};

// Runs the transfer. `image` is sent (write) or filled with what was read (read; bytes
// 0x7F0..0xFFF are left as they were, and nothing changes unless the read completed).
LinkRunResult RunLinkTransfer(bool isRead, const LinkTarget& target, const std::string& settingsPath,
                              std::array<std::uint8_t, kImageSize>& image);

}  // namespace qorrin::cli

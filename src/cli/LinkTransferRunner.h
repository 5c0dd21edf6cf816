#pragma once
// Reads and writes of radios for qorrin-cli: a transfer run (core/transfer/TransferRun.h)
// on a worker thread per radio, its progress shown as the runs report it (LinkProgress.h),
// Ctrl+C turned into Cancel for all of them. The run backs itself up; a write can be
// verified by reading the radio back; the run decides its outcome, which the caller words.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/RadioImageLayout.h"
#include "core/transfer/TransferOutcome.h"

namespace qorrin::cli {

// Where the radio is: a device path, a port number, or (neither) the configured "com"
// with the search that setting.ini allows.
struct LinkTarget {
  int port = 0;
  std::string device;
};

struct LinkRunOptions {
  bool verify = false;  // write: read the radio back afterwards and compare
};

// One radio of a run: what goes in (target, image) and what came out.
struct LinkJob {
  LinkTarget target;
  std::array<std::uint8_t, kImageSize> image{};  // sent (write) or filled with what was read
  TransferOutcome outcome;
  std::string portText;  // where it ran: "COM3 (/dev/ttyUSB0)", "COM3" or the device path
};

// Runs every job at once, each radio on its own thread and port; a failing radio never
// stops the others. After a complete read the job's image holds what was read (bytes
// 0x7F0..0xFFF are left as they were); otherwise it is unchanged.
void RunLinkTransfers(bool isRead, const std::string& settingsPath, std::vector<LinkJob>& jobs,
                      const LinkRunOptions& options = {});

// One radio.
LinkJob RunLinkTransfer(bool isRead, const LinkTarget& target, const std::string& settingsPath,
                        const std::array<std::uint8_t, kImageSize>& image, const LinkRunOptions& options = {});

// "COM3 (/dev/ttyUSB0)" for a port with a device, "COM3" for one without, the device path
// for a run on a device.
std::string PortText(int port, const std::string& device);

}  // namespace qorrin::cli

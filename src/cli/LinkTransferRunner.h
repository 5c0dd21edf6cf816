#pragma once
// Reads and writes of radios for qorrin-cli: a transfer run (core/link/TransferRun.h) on
// a worker thread per radio, watched every 20 ms (progress on a terminal: one bar for one
// radio, one line per radio for several), Ctrl+C turned into Cancel for all of them. The
// run backs itself up; a write can be verified by reading the radio back.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/compare/ImageCompare.h"
#include "core/link/TransferState.h"
#include "core/model/RadioImageLayout.h"

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

struct LinkRunResult {
  TransferStatus status = TransferStatus::XFER_IDLE;  // the engine's final status (of the write, for a verified write)
  bool interrupted = false;  // Ctrl+C: cancelled, port closed
  int progress = 0;          // last percentage reached
  std::string portText;      // "COM3 (/dev/ttyUSB0)" or the device path
  std::string detail;        // why the port gave no link, when the engine knows
  std::vector<std::string> notices;  // backups that could not be written
  // Verification (write with LinkRunOptions::verify, after XFER_WRITE_DONE).
  bool verifyRan = false;    // the read-back was started
  TransferStatus readBackStatus = TransferStatus::XFER_IDLE;  // its final status
  std::string readBackDetail;
  std::vector<ImageDifference> differences;  // sent -> held, after a complete read-back
};

// One radio of a run: what goes in (target, image) and what came out.
struct LinkJob {
  LinkTarget target;
  std::array<std::uint8_t, kImageSize> image{};  // sent (write) or filled with what was read
  LinkRunResult result;
};

// Runs every job at once, each radio on its own thread and port; a failing radio never
// stops the others. After a complete read the job's image holds what was read (bytes
// 0x7F0..0xFFF are left as they were); otherwise it is unchanged.
void RunLinkTransfers(bool isRead, const std::string& settingsPath, std::vector<LinkJob>& jobs,
                      const LinkRunOptions& options = {});

// One radio.
LinkRunResult RunLinkTransfer(bool isRead, const LinkTarget& target, const std::string& settingsPath,
                              std::array<std::uint8_t, kImageSize>& image, const LinkRunOptions& options = {});

}  // namespace qorrin::cli

#pragma once
// What came of a transfer run, decided in one place for the window, the command line and
// whatever else runs transfers: which end the run came to, whether a write counts as
// verified, where it ran and what is wrong with the port when the radio gave no answer.
// Each front end words every end in its own texts (the window from the language file, the
// command line in English); none of them looks at the engine's statuses to decide.
#include <string>
#include <vector>

#include "core/compare/ImageCompare.h"
#include "core/link/TransferState.h"

namespace qorrin {

enum class TransferEnd {
  Read,             // every block read: the run's ReadImage() holds them
  Written,          // every block written; no read-back was asked for
  Verified,         // written, read back, and the radio holds what was sent
  NotVerified,      // written and read back, but the radio holds other bytes (differences)
  NotReadBack,      // written, but the read-back did not complete (readBackEnd tells how)
  VerifyCancelled,  // written, then cancelled while it was being read back
  Cancelled,        // cancelled before the transfer was complete
  NoAnswer,         // the radio did not acknowledge the entry command
  WrongRadio,       // the radio answered but did not identify as a VLM-7Q
  ReadFailed,       // a block could not be read: nothing of the read is used
  WriteFailed,      // a block was not taken: the radio's memory is partly written
  Unexpected,       // the engine ended on a status that is no end (status tells which)
};

// Why a port gave no link, as far as the system can tell.
enum class PortProblem {
  None,
  DeviceMissing,  // the port names no device, or nothing exists under the device's name
  NoPermission,   // the device exists but refuses this user
};

struct TransferOutcome {
  TransferEnd end = TransferEnd::Unexpected;
  bool isRead = true;
  // NotReadBack: how the read-back ended (NoAnswer, WrongRadio, ReadFailed or Unexpected).
  TransferEnd readBackEnd = TransferEnd::Unexpected;
  // The engine's last status in the stage that ended (the read-back's when it began).
  TransferStatus status = TransferStatus::XFER_IDLE;
  int progress = 0;  // the last percentage of the stage that ended; 0 when it was searching

  // Where it ran: the port number (given, or configured, or found by the search once it
  // was saved; 0 for a run on a device given by path) and the device behind it ("" when
  // the number names none).
  int port = 0;
  std::string device;
  bool searched = false;  // the other ports were to be searched when the first stayed silent
  std::string detail;     // why the first port gave no link, as the engine saw it (English)
  // For NoAnswer, also in the read-back: what is wrong with the device, if anything.
  PortProblem problem = PortProblem::None;

  std::vector<ImageDifference> differences;  // NotVerified: what was sent -> what the radio holds
  std::vector<std::string> notices;          // backups that could not be written (English)

  bool Verified() const { return end == TransferEnd::Verified; }
  bool Succeeded() const {
    return end == TransferEnd::Read || end == TransferEnd::Written || end == TransferEnd::Verified;
  }
  // The radio gave no answer, in the transfer or in the read-back after it.
  bool NoLink() const {
    return end == TransferEnd::NoAnswer || (end == TransferEnd::NotReadBack && readBackEnd == TransferEnd::NoAnswer);
  }
};

// What the run knew when it ended. `readBack` is null unless a verified write asked for one.
struct TransferRecords {
  const TransferState& transfer;
  const TransferState* readBack = nullptr;
  bool cancelled = false;  // Cancel came before the run ended
  int port = 0;            // as TransferOutcome::port
  std::string device;      // as TransferOutcome::device
  bool searched = false;
};

// The one decision: the end, the verification (the read-back compared with what was sent),
// the progress reached and, for a port that gave no link, the device's problem.
TransferOutcome DecideOutcome(const TransferRecords& records);

// What is wrong with a device that gave no link: missing (or no device at all), no access,
// or nothing the system can see.
PortProblem DiagnosePort(const std::string& device);

}  // namespace qorrin

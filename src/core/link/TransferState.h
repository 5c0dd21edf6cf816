#pragma once
// The record through which a caller and the transfer engine on its worker thread meet.
// TransferRun (core/transfer/TransferRun.h) fills it before the run; the engine writes status,
// progress and foundPort, reads cancel, and calls `reported` after each such news, which
// is how the run tells its observers.
//
// The record is shared through std::shared_ptr: the worker keeps its own reference, so a
// caller that gives up (Cancel closes the dialog without waiting) never leaves the worker
// writing into a buffer that is gone. Use a fresh record for each run.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/model/RadioImageLayout.h"

namespace qorrin {

class ILinkPort;

// Values of TransferState::status.
enum class TransferStatus : int {
  XFER_IDLE = 0,         // set by the caller before the engine starts
  XFER_PORT_ERROR = 1,   // no acknowledgement of the entry command (terminal)
  XFER_TYPE_ERROR = 2,   // the identification did not match (terminal)
  XFER_READING = 4,      // a block was read and stored; progress tells how far
  XFER_READ_FAIL = 5,    // a block could not be read (terminal)
  XFER_READ_DONE = 6,    // all blocks read, end command sent (terminal)
  XFER_WRITE_FAIL = 7,   // a block was not acknowledged (terminal)
  XFER_WRITING = 8,      // a block was written and acknowledged; progress tells how far
  XFER_WRITE_DONE = 9,   // all blocks written, end command sent, settle time over (terminal)
  XFER_SEARCHING = 11,   // the search opened another port; progress = foundPort = its number
};

// True for the statuses after which the engine has returned.
constexpr bool IsTerminalStatus(TransferStatus status) {
  switch (status) {
    case TransferStatus::XFER_PORT_ERROR:
    case TransferStatus::XFER_TYPE_ERROR:
    case TransferStatus::XFER_READ_FAIL:
    case TransferStatus::XFER_READ_DONE:
    case TransferStatus::XFER_WRITE_FAIL:
    case TransferStatus::XFER_WRITE_DONE: return true;
    default: return false;
  }
}

struct TransferState;

// A step the caller hands the engine (see TransferState::beforeWrite). It runs on the
// worker thread and returns a notice for the user, or "" when all went well.
using TransferHook = std::function<std::string(const TransferState&)>;

struct TransferState {
  // Filled by the caller before the run; not changed while the engine runs.
  std::shared_ptr<ILinkPort> port;  // the program's one CSerialPort (a memory port in tests)
  std::string settingsPath;           // setting.ini: "com", "searchcom", [ports]
  std::string device;                 // when not empty: open this device, no search
  bool isRead = true;                 // true: radio -> buffer; false: buffer -> radio
  // The port settings of settingsPath, read once before the run (LoadPortSettings
  // below): the configured port, and whether the other ports are
  // searched when it stays silent. When the search finds the radio and the port is saved
  // as the configured one, the engine sets comPort to it.
  std::atomic<int> comPort{1};
  bool search = true;
  // The radio on the open port has just acknowledged an entry command (a caller that
  // watches the port made it): the run goes straight on to the identification, without
  // opening, settling or an entry attempt of its own.
  bool entered = false;

  // Written by the engine, read by the caller at any time.
  std::atomic<TransferStatus> status{TransferStatus::XFER_IDLE};
  std::atomic<int> progress{0};    // percent while transferring; port number while searching
  std::atomic<int> foundPort{-1};  // port opened by the search and not yet saved, or -1
  // Optional, set by the caller before the run: called on the worker thread each time the
  // engine has written status, progress or foundPort (the values are in place by then).
  std::function<void()> reported;

  // Written by the caller to stop the run; the engine ends at its next test.
  std::atomic<bool> cancel{false};

  // The radio image being transferred; offsets 0x7F0..0xFFF never travel. The engine
  // writes it during a read; the caller reads it only after a terminal status.
  std::array<std::uint8_t, kImageSize> buffer{};

  // Why the link could not be made (device and reason), for messages; set by the engine
  // before it writes XFER_PORT_ERROR, read by the caller after it.
  std::string detail;

  // Optional, set by the caller before the run: beforeWrite runs just before the first
  // block of a write goes out, afterRead once every block of a read is in (before
  // XFER_READ_DONE is set); both see the buffer as it stands. Whatever they do, the run
  // goes on. The automatic backups are made this way (core/transfer/TransferBackup.h).
  TransferHook beforeWrite;
  TransferHook afterRead;
  // What the hooks had to say (a backup that could not be written), for the caller to
  // show; read it only after a terminal status.
  std::vector<std::string> notices;
};

// Reads the port settings of a run ("com" and "searchcom" of state.settingsPath) into the
// record. A run does this when it is made; a caller that drives the engine directly calls
// it once its record has a settings path.
void LoadPortSettings(TransferState& state);

// The engine on the worker thread: one read or write from start to end; TransferRun
// (core/transfer/TransferRun.h) is how the programs use it. Returns 0 in every case; the
// outcome is the final value of state->status (unchanged when the run was cancelled).
int TransferThreadProc(std::shared_ptr<TransferState> state);

}  // namespace qorrin

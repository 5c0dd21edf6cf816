// Connecting to the radio: entry command and acknowledgement, the port search, the
// identification and its confirmation, and remembering a port that the search found.

#include "core/link/ProtocolFrames.h"
#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferSession.h"
#include "core/link/LinkSettings.h"

namespace qorrin::link {

bool TransferSession::OpenPortNumber(int n) {
  const std::string device = m_numbering.DevicePath(n);
  if (device.empty()) {
    m_port.Close();
    NoteConnectFailure(PortLabel(n) + " names no serial device on this machine");
    return false;
  }
  return m_port.Open(device, kBaudRate) != 0;
}

// Up to ten entry commands, each sent byte by byte, each followed by a short wait for
// the acknowledgement. A byte that is not 0x06 does not count.
bool TransferSession::EnterProgramMode() {
  for (int attempt = 0; attempt < kEntryAttempts; ++attempt) {
    if (Cancelled()) return false;
    if (SendEntryCommand(m_port) == kAck) return true;
  }
  return false;
}

// The configured port first; when it stays silent and the search is on, ports 1, 2, ...
// up to 255 in turn (the configured one again in its place). A number that cannot be
// opened costs no time. The cancel flag is tested at every step, so a run whose caller
// has given up stops opening ports.
TransferSession::Outcome TransferSession::ConnectWithSearch(bool search) {
  for (int n = 1;; ++n) {
    if (Cancelled()) return Outcome::Cancelled;
    if (m_port.IsOpen()) {
      if (EnterProgramMode()) return Outcome::Connected;
      if (Cancelled()) return Outcome::Cancelled;
      NoteConnectFailure("no answer from the radio" +
                         (m_state.device.empty() ? std::string() : " on " + m_state.device));
    }
    if (!search) return Outcome::Failed;
    m_port.Close();
    if (n > kHighestSearchPort) return Outcome::Failed;
    if (OpenPortNumber(n)) {
      m_port.Sleep(kSettleAfterOpenMs);
      if (Cancelled()) return Outcome::Cancelled;
      m_state.foundPort.store(n);
      m_state.progress.store(n);
      m_state.status.store(TransferStatus::XFER_SEARCHING);
      Report();
    }
  }
}

// The radio answers 0x02 with a reply that holds two bytes 0x4E among its first twelve.
// Reading stops at the second one; nothing else of the reply is examined.
bool TransferSession::Identify() { return RequestIdentification(m_port); }

// Our 0x06 after the identification; the radio's answer to it is not examined.
void TransferSession::Confirm() { SendAcknowledge(m_port); }

// A port found by the search becomes the configured one, once the radio on it has
// identified itself; the record's port follows when the setting was saved.
void TransferSession::RememberFoundPort() {
  const int found = m_state.foundPort.load();
  if (found <= 0) return;
  if (WriteComPort(found, m_state.settingsPath)) m_state.comPort.store(found);
  m_state.foundPort.store(-1);
  Report();
}

}  // namespace qorrin::link

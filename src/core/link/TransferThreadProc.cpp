#include <exception>

#include "core/link/ILinkPort.h"
#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"
#include "core/link/TransferSession.h"
#include "core/link/TransferState.h"

namespace qorrin {

namespace link {

TransferSession::TransferSession(TransferState& state)
    : m_state(state), m_port(*state.port), m_numbering(state.settingsPath) {}

void TransferSession::Run() {
  // A device given by path is the caller's explicit choice: no search, nothing saved.
  const bool byDevice = !m_state.device.empty();
  const bool search = !byDevice && m_state.search;
  if (!m_port.IsOpen()) {
    const bool opened = byDevice ? m_port.Open(m_state.device, kBaudRate) != 0
                                 : OpenPortNumber(m_state.comPort.load());
    if (!opened) NoteConnectFailure(m_port.LastError());
  }
  m_port.Sleep(kSettleAfterOpenMs);

  switch (ConnectWithSearch(search)) {
    case Outcome::Connected: break;
    case Outcome::Cancelled: EndCancelled(); return;
    case Outcome::Failed:
      m_state.detail = m_firstFailure;
      Finish(TransferStatus::XFER_PORT_ERROR);
      return;
  }
  if (!Identify()) {
    Finish(TransferStatus::XFER_TYPE_ERROR);
    return;
  }
  Confirm();
  RememberFoundPort();
  if (Cancelled()) {
    EndCancelled();
    return;
  }
  if (m_state.isRead) {
    ReadBlocks();
  } else {
    WriteBlocks();
  }
}

// The caller closed the port when it cancelled; a port that the run opened after that
// (a search step) must not stay open behind its back.
void TransferSession::EndCancelled() { m_port.Close(); }

// Empties the receive queue so that a stale byte is never taken for a reply.
void TransferSession::DiscardInput() { link::DiscardInput(m_port); }

// Before a block is tried again: the rest of a reply that came too late may still be on
// its way, and taken for the start of the next one it would spoil every further try.
// Waits until the line has been silent for a moment (longer than a USB adapter holds
// bytes back), but never for more than a few frames of chatter.
void TransferSession::DiscardUntilQuiet() {
  for (int n = 0; n < kQuietBeforeRetryBytes && m_port.ReadByte(kQuietBeforeRetryMs) >= 0; ++n) {
  }
}

// A hook's failure is the caller's business: it becomes a notice, never the end of a run.
void TransferSession::RunHook(const TransferHook& hook) {
  if (!hook) return;
  std::string notice;
  try {
    notice = hook(m_state);
  } catch (const std::exception& e) {
    notice = e.what();
  } catch (...) {
    notice = "a step before or after the transfer failed";
  }
  if (!notice.empty()) m_state.notices.push_back(std::move(notice));
}

void TransferSession::NoteConnectFailure(const std::string& text) {
  if (m_firstFailure.empty()) m_firstFailure = text;
}

}  // namespace link

int TransferThreadProc(std::shared_ptr<TransferState> state) {
  if (!state) return 0;
  if (!state->port) {
    state->detail = "no serial port object";
    state->status.store(TransferStatus::XFER_PORT_ERROR);
    if (state->reported) state->reported();
    return 0;
  }
  link::TransferSession(*state).Run();
  return 0;
}

}  // namespace qorrin

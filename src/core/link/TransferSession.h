#pragma once
// One run of the programming protocol, split into its phases. Internal to the transfer
// engine: TransferThreadProc creates a session on the worker thread and runs it.
#include <cstdint>
#include <string>

#include "core/link/ILinkPort.h"
#include "core/link/PortNames.h"
#include "core/link/TransferState.h"

namespace qorrin::link {

class TransferSession {
 public:
  explicit TransferSession(TransferState& state);
  void Run();

 private:
  enum class Outcome { Connected, Failed, Cancelled };

  // Connecting (TransferConnect.cpp).
  bool OpenPortNumber(int n);
  bool EnterProgramMode();
  Outcome ConnectWithSearch(bool search);
  bool Identify();
  void Confirm();
  void RememberFoundPort();

  // Moving the blocks (TransferBlocks.cpp).
  void ReadBlocks();
  void WriteBlocks();

  // Shared helpers.
  bool Cancelled() const { return m_state.cancel.load(); }
  void EndCancelled();
  void Finish(TransferStatus status) {
    m_state.status.store(status);
    Report();
  }
  void Report() const {
    if (m_state.reported) m_state.reported();
  }
  void DiscardInput();
  void DiscardUntilQuiet();
  void NoteConnectFailure(const std::string& text);
  void RunHook(const TransferHook& hook);

  TransferState& m_state;
  ILinkPort& m_port;
  PortNumbering m_numbering;
  std::string m_firstFailure;  // why the first port gave no link, for TransferState::detail
};

}  // namespace qorrin::link

#include "gui/link/TransferWorker.h"

#include "core/link/ILinkPort.h"
#include "core/link/TransferState.h"
#include "core/link/WriteVerify.h"

namespace qorrin::gui {

TransferWorker::~TransferWorker() {
  Cancel();
  Join();
}

void TransferWorker::Start(std::shared_ptr<TransferState> state) {
  Join();
  m_state = state;
  m_readBack.reset();
  m_thread = std::thread([state = std::move(state)] { TransferThreadProc(state); });
}

void TransferWorker::StartVerifiedWrite(std::shared_ptr<TransferState> write, std::shared_ptr<TransferState> readBack) {
  Join();
  m_state = write;
  m_readBack = readBack;
  m_thread = std::thread([write = std::move(write), readBack = std::move(readBack)] {
    RunVerifiedWrite(write, readBack);
  });
}

void TransferWorker::Cancel() {
  for (const std::shared_ptr<TransferState>& state : {m_state, m_readBack}) {
    if (!state) continue;
    state->cancel.store(true);
    if (state->port) state->port->Close();
  }
}

void TransferWorker::Join() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace qorrin::gui

#include "gui/link/TransferWorker.h"

#include "core/link/ILinkPort.h"
#include "core/link/TransferState.h"

namespace qorrin::gui {

TransferWorker::~TransferWorker() {
  Cancel();
  Join();
}

void TransferWorker::Start(std::shared_ptr<TransferState> state) {
  Join();
  m_state = state;
  m_thread = std::thread([state = std::move(state)] { TransferThreadProc(state); });
}

void TransferWorker::Cancel() {
  if (!m_state) return;
  m_state->cancel.store(1);
  if (m_state->port) m_state->port->Close();
}

void TransferWorker::Join() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace qorrin::gui

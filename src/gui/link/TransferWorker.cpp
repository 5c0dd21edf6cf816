#include "gui/link/TransferWorker.h"

#include "core/transfer/TransferRun.h"

namespace qorrin::gui {

TransferWorker::~TransferWorker() {
  Cancel();
  Join();
}

void TransferWorker::Start(std::shared_ptr<TransferRun> run) {
  Join();
  m_run = run;
  m_thread = std::thread([run = std::move(run)] { run->Execute(); });
}

void TransferWorker::Cancel() {
  if (m_run) m_run->Cancel();
}

void TransferWorker::Join() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace qorrin::gui

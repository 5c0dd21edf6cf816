#pragma once
// The worker thread of the transfer dialog. One run at a time: a new run first waits for
// the worker of a previous, cancelled run to end (it ends quickly once its port is shut),
// so two workers never share the port. The worker holds its own reference to the run, so
// a dialog that closes without waiting leaves nothing for it to write into. At the
// program's end the last run is cancelled and its worker joined.
#include <memory>
#include <thread>

namespace qorrin {
class TransferRun;
}

namespace qorrin::gui {

class TransferWorker {
 public:
  TransferWorker() = default;
  ~TransferWorker();
  TransferWorker(const TransferWorker&) = delete;
  TransferWorker& operator=(const TransferWorker&) = delete;

  void Start(std::shared_ptr<TransferRun> run);
  // Asks the running run to stop and shuts its port; does not wait.
  void Cancel();

 private:
  void Join();
  std::thread m_thread;
  std::shared_ptr<TransferRun> m_run;
};

}  // namespace qorrin::gui

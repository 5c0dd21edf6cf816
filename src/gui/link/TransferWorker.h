#pragma once
// The worker threads of the transfer dialog. One run at a time: a new run first waits for
// the worker of a previous, cancelled run to end (it ends quickly once its port is shut),
// so two workers never share the port. The worker holds its own reference to the shared
// state, so a dialog that closes without waiting leaves nothing for it to write into.
// At the program's end the last worker is cancelled and joined.
#include <memory>
#include <thread>

namespace qorrin {
struct TransferState;
}

namespace qorrin::gui {

class TransferWorker {
 public:
  TransferWorker() = default;
  ~TransferWorker();
  TransferWorker(const TransferWorker&) = delete;
  TransferWorker& operator=(const TransferWorker&) = delete;

  void Start(std::shared_ptr<TransferState> state);
  // A write and, once it is complete, its read-back (the verification), one after the other.
  void StartVerifiedWrite(std::shared_ptr<TransferState> write, std::shared_ptr<TransferState> readBack);
  // Asks the running worker to stop and shuts its port; does not wait.
  void Cancel();

 private:
  void Join();
  std::thread m_thread;
  std::shared_ptr<TransferState> m_state;
  std::shared_ptr<TransferState> m_readBack;
};

}  // namespace qorrin::gui

#include "core/transfer/TransferBackup.h"

#include "core/link/PortNames.h"

namespace qorrin {
namespace {

TransferHook BackupHook(BackupDirection direction, std::string portLabel, std::string folder) {
  return [direction, portLabel = std::move(portLabel), folder = std::move(folder)](const TransferState& state) {
    std::string label = portLabel;
    if (label.empty()) label = state.device;
    if (label.empty()) label = link::PortLabel(state.comPort.load());
    const BackupResult saved = SaveBackup(state.buffer, label, direction, folder);
    return saved.bOk ? std::string() : "backup not saved: " + saved.strError;
  };
}

}  // namespace

void AttachBackups(TransferState& state, std::string portLabel, std::string folder) {
  state.beforeWrite = BackupHook(BackupDirection::Write, portLabel, folder);
  state.afterRead = BackupHook(BackupDirection::Read, std::move(portLabel), std::move(folder));
}

}  // namespace qorrin

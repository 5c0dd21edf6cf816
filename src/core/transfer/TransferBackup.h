#pragma once
// Hooks a transfer up to the automatic backups: a write is backed up just before its first
// block goes out, a read once it is complete. A backup that cannot be written leaves a
// notice in TransferState::notices ("backup not saved: ..."); the transfer goes on.
#include <string>

#include "core/backup/BackupStore.h"
#include "core/link/TransferState.h"

namespace qorrin {

// `portLabel` names the port in the file name ("COM3", a device path). Empty: the device
// of the run when it has one, else the run's configured port as it stands when the backup
// is made (so a port found by the search is the one named).
// Set before the run starts; replaces any hooks already set.
void AttachBackups(TransferState& state, std::string portLabel = {}, std::string folder = BackupFolder());

}  // namespace qorrin

#pragma once
// One transfer with the radio as the programs make it, from the settings to the outcome.
// The transfer dialog and the command-line tool only start a run, follow it and show what
// came of it; everything they share is decided here:
//   - the port settings ("com", "searchcom") are read once, when the run is made;
//   - the port is set to the radio's line speed;
//   - the read or write is backed up automatically (core/backup/TransferBackup.h);
//   - a write with verification is read back once it completed, and what the radio holds
//     is compared with what was sent;
//   - a complete read yields the image for the document (ReadImage).
//
// The run is made on the caller's thread, Execute runs on a worker, and the caller polls
// the records (Transfer, ReadBack) as they fill. The run is shared through std::shared_ptr
// with the worker, so a caller that gives up never leaves the worker writing into a run
// that is gone. Use a fresh run for each transfer.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/compare/ImageCompare.h"
#include "core/link/TransferState.h"
#include "core/model/RadioImageLayout.h"

namespace qorrin {

class CQorrinDoc;

struct TransferRequest {
  bool isRead = true;
  bool verify = false;       // a write: read the radio back afterwards and compare
  std::string device;        // when not empty: this device, no search, nothing saved
  std::string backupLabel;   // the port's name in backup files; empty: the device, else the configured port
  std::string backupFolder;  // empty: BackupFolder()
};

// Reads the port settings of a run ("com" and "searchcom" of state.settingsPath) into
// the record. A run does this when it is made; a caller that drives the engine directly
// calls it once its record has a settings path.
void LoadPortSettings(TransferState& state);

class TransferRun {
 public:
  using Image = std::array<std::uint8_t, kImageSize>;

  // The image a transfer of the document starts from: the document's own, after its index
  // fields have been brought up to date (the radio finds its way by them).
  static Image DocumentImage(CQorrinDoc& doc);

  // `image` is what a write sends, or what a read is laid over (bytes 0x7F0..0xFFF never
  // travel and stay as given).
  TransferRun(std::shared_ptr<ILinkPort> port, std::string settingsPath, const TransferRequest& request,
              const Image& image);
  TransferRun(const TransferRun&) = delete;
  TransferRun& operator=(const TransferRun&) = delete;

  // The worker's body: the read or write and, for a verified write that completed, the
  // read-back. Blocks until both are over; the port is closed between them and after.
  void Execute();
  // Stops the run at the engine's next test and shuts the port; does not wait. Any thread.
  void Cancel();

  // The read or the write.
  const TransferState& Transfer() const { return *m_transfer; }
  // The read-back of a verified write; null for any other run.
  const TransferState* ReadBack() const { return m_readBack.get(); }
  // Whether the read-back has begun (its engine has reported something).
  bool ReadBackBegun() const;
  // The record that is running now: the read-back once it has begun.
  const TransferState& Current() const { return ReadBackBegun() ? *m_readBack : *m_transfer; }

  // The outcome; read each part once the record concerned has a terminal status.
  // The configured port: as read when the run was made, or the one the search found once
  // it was saved.
  int ConfiguredPort() const { return Current().comPort.load(); }
  // What the backups had to say, the write's before the read-back's.
  std::vector<std::string> Notices() const;
  // A read that completed: the image read. Null otherwise.
  const Image* ReadImage() const;
  // The read-back completed, so the differences tell what the radio holds.
  bool ReadBackComplete() const;
  // What was sent -> what the radio held, after a complete read-back; empty otherwise.
  std::vector<ImageDifference> Differences() const;

 private:
  std::shared_ptr<ILinkPort> m_port;
  std::shared_ptr<TransferState> m_transfer;
  std::shared_ptr<TransferState> m_readBack;
};

}  // namespace qorrin

#include "core/link/TransferRun.h"

#include "core/backup/BackupStore.h"
#include "core/backup/TransferBackup.h"
#include "core/link/ILinkPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/ProtocolTimings.h"
#include "core/model/CQorrinDoc.h"

namespace qorrin {

void LoadPortSettings(TransferState& state) {
  state.comPort.store(link::ReadComPort(state.settingsPath));
  state.search = link::ReadSearchCom(state.settingsPath);
}

TransferRun::Image TransferRun::DocumentImage(CQorrinDoc& doc) {
  doc.UpdateIndexFields();
  return doc.Image();
}

TransferRun::TransferRun(std::shared_ptr<ILinkPort> port, std::string settingsPath, const TransferRequest& request,
                         const Image& image)
    : m_port(std::move(port)), m_transfer(std::make_shared<TransferState>()) {
  if (m_port) m_port->SetBaudRate(link::kBaudRate);
  TransferState& state = *m_transfer;
  state.port = m_port;
  state.settingsPath = std::move(settingsPath);
  state.device = request.device;
  state.isRead = request.isRead;
  state.buffer = image;
  LoadPortSettings(state);
  AttachBackups(state, request.backupLabel, request.backupFolder.empty() ? BackupFolder() : request.backupFolder);
  if (request.isRead || !request.verify) return;
  // The read-back shares the port, the settings and the backups; it reads over a copy of
  // what was sent (see Execute).
  m_readBack = std::make_shared<TransferState>();
  m_readBack->port = m_port;
  m_readBack->settingsPath = state.settingsPath;
  m_readBack->device = state.device;
  m_readBack->isRead = true;
  m_readBack->afterRead = state.afterRead;
  m_readBack->buffer = state.buffer;
}

void TransferRun::Execute() {
  TransferThreadProc(m_transfer);
  if (m_port) m_port->Close();
  if (!m_readBack || m_transfer->status.load() != TransferStatus::XFER_WRITE_DONE || m_transfer->cancel.load() ||
      m_readBack->cancel.load()) {
    return;
  }
  // What the radio holds is read over a copy of what was sent: a block that a broken read
  // leaves out could never pass for a good one, because nothing is compared then. The
  // port is the one the write used, a port found by its search included.
  m_readBack->buffer = m_transfer->buffer;
  m_readBack->comPort.store(m_transfer->comPort.load());
  m_readBack->search = m_transfer->search;
  TransferThreadProc(m_readBack);
  if (m_port) m_port->Close();
}

void TransferRun::Cancel() {
  m_transfer->cancel.store(true);
  if (m_readBack) m_readBack->cancel.store(true);
  if (m_port) m_port->Close();
}

bool TransferRun::ReadBackBegun() const {
  return m_readBack && m_readBack->status.load() != TransferStatus::XFER_IDLE;
}

std::vector<std::string> TransferRun::Notices() const {
  std::vector<std::string> notices = m_transfer->notices;
  if (m_readBack) notices.insert(notices.end(), m_readBack->notices.begin(), m_readBack->notices.end());
  return notices;
}

const TransferRun::Image* TransferRun::ReadImage() const {
  return m_transfer->isRead && m_transfer->status.load() == TransferStatus::XFER_READ_DONE ? &m_transfer->buffer
                                                                                          : nullptr;
}

bool TransferRun::ReadBackComplete() const {
  return m_readBack && m_readBack->status.load() == TransferStatus::XFER_READ_DONE;
}

std::vector<ImageDifference> TransferRun::Differences() const {
  if (!ReadBackComplete()) return {};
  return CompareImages(m_transfer->buffer, m_readBack->buffer);
}

}  // namespace qorrin

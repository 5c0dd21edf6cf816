#include "core/transfer/TransferRun.h"

#include "core/backup/BackupStore.h"
#include "core/link/ILinkPort.h"
#include "core/link/PortNames.h"
#include "core/link/ProtocolTimings.h"
#include "core/model/CQorrinDoc.h"
#include "core/transfer/ReadBack.h"
#include "core/transfer/TransferBackup.h"

namespace qorrin {

TransferRun::Image TransferRun::DocumentImage(CQorrinDoc& doc) {
  doc.UpdateIndexFields();
  return doc.Image();
}

TransferRun::TransferRun(std::shared_ptr<ILinkPort> port, std::string settingsPath, const TransferRequest& request,
                         const Image& image)
    : m_request(request), m_port(std::move(port)), m_transfer(std::make_shared<TransferState>()) {
  if (m_port) m_port->SetBaudRate(link::kBaudRate);
  TransferState& state = *m_transfer;
  state.port = m_port;
  state.settingsPath = std::move(settingsPath);
  state.device = request.device;
  if (state.device.empty() && request.port > 0) state.device = link::DeviceForPort(request.port, state.settingsPath);
  state.isRead = request.isRead;
  state.buffer = image;
  state.entered = request.entered;
  state.reported = [this] { TellProgress(); };
  LoadPortSettings(state);
  if (request.backup) {
    std::string label = request.backupLabel;
    if (label.empty() && request.device.empty() && request.port > 0) label = link::PortLabel(request.port);
    AttachBackups(state, label, request.backupFolder.empty() ? BackupFolder() : request.backupFolder);
  }
  if (request.isRead || !request.verify) return;
  m_readBack = MakeReadBack(state);
  m_readBack->reported = [this] { TellProgress(); };
}

void TransferRun::Execute() {
  if (m_request.device.empty() && m_request.port > 0 && m_transfer->device.empty()) {
    // The number names no device here: there is nothing to open, let alone a radio.
    m_transfer->detail = link::PortLabel(m_request.port) + " names no serial device on this machine";
    m_transfer->status.store(TransferStatus::XFER_PORT_ERROR);
  } else {
    TransferThreadProc(m_transfer);
    if (m_port) m_port->Close();
    if (m_readBack && m_transfer->status.load() == TransferStatus::XFER_WRITE_DONE && !m_transfer->cancel.load()) {
      PrepareReadBack(*m_readBack, *m_transfer);
      TransferThreadProc(m_readBack);
      if (m_port) m_port->Close();
    }
  }
  Finish();
}

void TransferRun::Finish() {
  // Where it ran: the device or port number given, else the configured port (the one the
  // search found, once it was saved).
  const bool byDevice = !m_request.device.empty();
  const bool byNumber = !byDevice && m_request.port > 0;
  const int port = byDevice ? 0 : byNumber ? m_request.port : m_transfer->comPort.load();
  const std::string device =
      byDevice || byNumber ? m_transfer->device : link::DeviceForPort(port, m_transfer->settingsPath);
  const bool searched = !byDevice && !byNumber && m_transfer->search;
  m_outcome = DecideOutcome({*m_transfer, m_readBack.get(), m_transfer->cancel.load(), port, device, searched});
  m_finished.store(true, std::memory_order_release);
  for (ITransferObserver* observer : m_observers) observer->OnFinished(*this, m_outcome);
}

void TransferRun::Cancel() {
  m_transfer->cancel.store(true);
  if (m_readBack) m_readBack->cancel.store(true);
  if (m_port) m_port->Close();
}

bool TransferRun::ReadBackBegun() const {
  return m_readBack && m_readBack->status.load() != TransferStatus::XFER_IDLE;
}

TransferProgress TransferRun::Progress() const {
  const bool verifying = ReadBackBegun();
  const TransferState& stage = verifying ? *m_readBack : *m_transfer;
  return {stage.status.load(), stage.progress.load(), stage.foundPort.load(), verifying};
}

void TransferRun::TellProgress() const {
  if (m_observers.empty()) return;
  const TransferProgress now = Progress();
  for (ITransferObserver* observer : m_observers) observer->OnProgress(*this, now);
}

const TransferRun::Image* TransferRun::ReadImage() const {
  return Finished() && m_outcome.end == TransferEnd::Read ? &m_transfer->buffer : nullptr;
}

}  // namespace qorrin

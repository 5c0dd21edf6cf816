#include "core/transfer/RadioTurn.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/backup/BackupStore.h"
#include "core/link/ILinkPort.h"
#include "core/link/ProtocolSteps.h"
#include "core/link/ProtocolTimings.h"
#include "core/transfer/Sha256.h"

namespace qorrin {
namespace {

bool MovingBlocks(TransferStatus status) {
  return status == TransferStatus::XFER_READING || status == TransferStatus::XFER_WRITING;
}

// Ends after which the radio has had its end command from the engine itself.
bool SessionEnded(const TransferOutcome& outcome) {
  switch (outcome.end) {
    case TransferEnd::Read:
    case TransferEnd::Written:
    case TransferEnd::Verified:
    case TransferEnd::NotVerified: return true;
    default: return false;
  }
}

std::string Percent(int percent) { return std::to_string(percent) + "%"; }

std::string ModelRangeText(const ModelTable& models, const std::optional<int>& model) {
  if (!model) return "none of setting.ini's";
  for (const ModelEntry& entry : models.Models()) {
    if (entry.nIndex == *model && !entry.strText.empty()) return entry.strText;
  }
  return "model " + std::to_string(*model);
}

// Why a backup read did not bring the radio's image.
void ReadNotDone(StationRadio& radio, const TransferOutcome& outcome) {
  switch (outcome.end) {
    case TransferEnd::WrongRadio:
      radio.result = RadioResult::WrongModel;
      radio.detail = "the radio did not identify as a VLM-7Q";
      return;
    case TransferEnd::Cancelled:
      radio.result = RadioResult::Cancelled;
      radio.detail = "stopped while its backup was read; nothing written";
      return;
    default:
      radio.result = RadioResult::ReadFailed;
      radio.detail = "it stopped answering while its backup was read (at " + Percent(outcome.progress) +
                     "); nothing written";
      return;
  }
}

std::string DifferenceText(const std::vector<ImageDifference>& differences) {
  std::size_t bytes = 0;
  for (const ImageDifference& difference : differences) bytes += difference.expected.size();
  char first[16] = "";
  if (!differences.empty()) std::snprintf(first, sizeof first, "0x%03zX", differences.front().nFirst);
  return std::to_string(bytes) + " byte(s) differ from the plan, the first at " + first + " (" +
         ImageAreaName(differences.empty() ? 0 : differences.front().nFirst) + ")";
}

std::string ReadBackProblem(TransferEnd readBackEnd) {
  switch (readBackEnd) {
    case TransferEnd::NoAnswer: return "the radio did not answer";
    case TransferEnd::WrongRadio: return "the radio did not identify as a VLM-7Q";
    default: return "it stopped answering";
  }
}

}  // namespace

std::string ImageFingerprint(const TransferRun::Image& image) { return Sha256Hex(image.data(), kLinkedImageSize); }

RadioTurn::RadioTurn(const TurnPlan& plan, std::shared_ptr<ILinkPort> port, std::string device,
                     std::string portName, Progress progress)
    : m_plan(plan),
      m_port(std::move(port)),
      m_device(std::move(device)),
      m_portName(std::move(portName)),
      m_progress(std::move(progress)) {}

void RadioTurn::Cancel() {
  std::shared_ptr<TransferRun> current;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_cancelled = true;
    current = m_current;
  }
  if (current) current->Cancel();
}

std::shared_ptr<TransferRun> RadioTurn::Execute(TransferRequest request) {
  request.device = m_device;
  request.backup = false;  // the turn keeps the one backup that matters, the radio's own
  auto run = std::make_shared<TransferRun>(m_port, m_plan.settingsPath, request, m_plan.image);
  run->AddObserver(*this);
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cancelled) return nullptr;
    m_current = run;
  }
  run->Execute();
  const std::lock_guard<std::mutex> lock(m_mutex);
  m_current.reset();
  return run;
}

void RadioTurn::OnProgress(const TransferRun& run, const TransferProgress& progress) {
  const PortActivity activity =
      run.Request().isRead ? PortActivity::Reading : progress.verifying ? PortActivity::Verifying : PortActivity::Writing;
  // Between blocks (connecting, a stage's end) the percent stays what the blocks made it.
  const int percent = MovingBlocks(progress.status) ? progress.progress : activity == m_shown ? m_shownPercent : -1;
  if (activity == m_shown && percent == m_shownPercent) return;
  m_shown = activity;
  m_shownPercent = percent;
  if (m_progress) m_progress(activity, percent);
}

void RadioTurn::EndSession(const TransferOutcome& outcome) {
  if (SessionEnded(outcome) || outcome.NoLink()) return;
  // The run has closed the port; a radio that is still there gets its end command.
  if (!m_port->IsOpen()) {
    if (m_port->Open(m_device, link::kBaudRate) == 0) return;
    m_port->Sleep(link::kSettleAfterOpenMs);
  }
  link::SendEndCommand(*m_port);
}

StationRadio RadioTurn::Run() {
  StationRadio radio;
  radio.port = m_portName;
  radio.device = m_device;

  TransferRequest read;
  read.isRead = true;
  read.entered = true;
  const std::shared_ptr<TransferRun> readRun = Execute(read);
  if (!readRun) {
    radio.result = RadioResult::Cancelled;
    radio.detail = "stopped before its backup was read; nothing written";
    TransferOutcome acknowledged;  // the attempt's session, which nothing has ended
    acknowledged.end = TransferEnd::Cancelled;
    EndSession(acknowledged);
    return radio;
  }
  radio.outcome = readRun->Outcome();
  EndSession(radio.outcome);
  const TransferRun::Image* found = readRun->ReadImage();
  if (found == nullptr) {
    ReadNotDone(radio, radio.outcome);
    return radio;
  }
  radio.shaBefore = ImageFingerprint(*found);
  Backup(radio, *found);
  if (radio.backupFile.empty()) return radio;

  const std::optional<int> model = m_plan.models->MatchModel(*found);
  if (model != m_plan.model) {
    radio.result = RadioResult::WrongModel;
    radio.detail = "its frequency range (" + ModelRangeText(*m_plan.models, model) + ") is not the plan's (" +
                   ModelRangeText(*m_plan.models, m_plan.model) + "); nothing written";
    return radio;
  }
  if (std::equal(found->begin(), found->begin() + kLinkedImageSize, m_plan.image.begin())) {
    radio.result = RadioResult::AlreadyProgrammed;
    return radio;
  }
  Write(radio);
  return radio;
}

void RadioTurn::Backup(StationRadio& radio, const TransferRun::Image& found) {
  const BackupResult saved =
      SaveBackup(found, m_portName, BackupDirection::Read, m_plan.backupFolder, std::chrono::system_clock::now(), INT_MAX);
  if (saved.bOk) {
    radio.backupFile = saved.strPath;
    return;
  }
  // Without the backup what the radio held would be lost for good.
  radio.result = RadioResult::BackupFailed;
  radio.detail = saved.strError + "; nothing written";
}

void RadioTurn::Write(StationRadio& radio) {
  TransferRequest write;
  write.isRead = false;
  write.verify = m_plan.verify;
  const std::shared_ptr<TransferRun> writeRun = Execute(write);
  if (!writeRun) {
    radio.result = RadioResult::Cancelled;
    radio.detail = "stopped before the write; nothing written";
    return;
  }
  const TransferOutcome& outcome = writeRun->Outcome();
  radio.outcome = outcome;
  EndSession(outcome);
  if (const TransferState* readBack = writeRun->ReadBack();
      readBack != nullptr && (outcome.end == TransferEnd::Verified || outcome.end == TransferEnd::NotVerified)) {
    radio.shaAfter = ImageFingerprint(readBack->buffer);
  }
  const std::string partly = " at " + Percent(outcome.progress) + " of the write: its memory is partly written";
  switch (outcome.end) {
    case TransferEnd::Verified: radio.result = RadioResult::Programmed; return;
    case TransferEnd::Written:
      radio.result = RadioResult::Programmed;
      radio.detail = "not verified";
      return;
    case TransferEnd::NotVerified:
      radio.result = RadioResult::VerifyFailed;
      radio.detail = DifferenceText(outcome.differences);
      return;
    case TransferEnd::NotReadBack:
      radio.result = RadioResult::VerifyFailed;
      radio.detail = "written, but it could not be read back: " + ReadBackProblem(outcome.readBackEnd);
      return;
    case TransferEnd::VerifyCancelled:
      radio.result = RadioResult::Cancelled;
      radio.detail = "written; stopped before it was verified";
      return;
    case TransferEnd::Cancelled:
      radio.result = RadioResult::Cancelled;
      radio.detail = "stopped" + partly;
      return;
    case TransferEnd::WrongRadio:
      radio.result = RadioResult::WrongModel;
      radio.detail = "the radio did not identify as a VLM-7Q for the write; nothing written";
      return;
    case TransferEnd::NoAnswer:
      radio.result = RadioResult::UnpluggedDuringWrite;
      radio.detail = "it did not answer for the write; nothing written";
      return;
    default:
      radio.result = RadioResult::UnpluggedDuringWrite;
      radio.detail = "it stopped answering" + partly;
      return;
  }
}

}  // namespace qorrin

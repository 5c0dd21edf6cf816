#include "gui/link/CTransferDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/compare/ImageCompare.h"
#include "core/lang/LangText.h"
#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "core/transfer/TransferRun.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/MessageBoxes.h"
#include "gui/lang/QtText.h"
#include "gui/link/LinkHost.h"
#include "gui/link/TransferWorker.h"

namespace qorrin::gui {
namespace {

constexpr int kPollMs = 20;
constexpr int kBarRange = 1024;

}  // namespace

CTransferDlg::CTransferDlg(ILinkHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  m_textLabel = new QLabel(this);
  SetControlId(m_textLabel, ctl::kTransferStatus);
  m_textLabel->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
  m_progress = new QProgressBar(this);
  SetControlId(m_progress, ctl::kTransferProgress);
  m_progress->setTextVisible(false);
  m_ok = new QPushButton(QStringLiteral("确定"), this);
  SetControlId(m_ok, ctl::kOk);
  m_ok->setDefault(true);
  m_cancel = new QPushButton(QStringLiteral("取消"), this);
  SetControlId(m_cancel, ctl::kCancel);
  m_verify = new QCheckBox(this);
  m_verify->hide();
  m_details = new QPlainTextEdit(this);
  m_details->setReadOnly(true);
  m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_details->setMinimumHeight(fontMetrics().height() * 8);
  m_details->hide();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_textLabel);
  layout->addWidget(m_progress);
  layout->addWidget(m_verify);
  layout->addWidget(m_details);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_ok, &QPushButton::clicked, this, &CTransferDlg::OnOK);
  connect(m_cancel, &QPushButton::clicked, this, &CTransferDlg::OnCancel);
  connect(this, &QDialog::rejected, this, [this] {
    if (m_run) m_run->Cancel();
    EndRun();
  });
  connect(&m_timer, &QTimer::timeout, this, &CTransferDlg::OnTimer);
  m_timer.setInterval(kPollMs);
}

CTransferDlg::~CTransferDlg() {
  if (m_run) m_run->Cancel();
  EndRun();
}

void CTransferDlg::showEvent(QShowEvent* event) {
  if (!m_bInitialised) OnInitDialog();
  QDialog::showEvent(event);
}

void CTransferDlg::OnInitDialog() {
  m_bInitialised = true;
  LocalizeDialog(this, dlg::kTransfer);
  setWindowTitle(LangText(m_bRead ? "IDS_READDATA" : "IDS_WRITEDATA"));
  m_progress->setRange(0, kBarRange);
  m_progress->setValue(0);
  m_progress->setAccessibleName(windowTitle());
  m_textLabel->clear();
  if (!m_bRead) {
    m_verify->setText(LangText("IDS_VERIFY_WRITE"));
    m_verify->setChecked(link::ReadVerifyAfterWrite(g_strIniFile));
    m_verify->show();
    connect(m_verify, &QCheckBox::toggled, this, [](bool on) { link::WriteVerifyAfterWrite(on, g_strIniFile); });
  }
}

QString CTransferDlg::PromptText(bool verifying) const {
  if (verifying) return LangText("IDS_PROMPT_VERIFY");
  return LangText(m_bRead ? "IDS_PROMPT_READ" : "IDS_PROMPT_WRITE");
}

void CTransferDlg::OnOK() {
  if (m_bFinished) {  // the outcome has been read: OK closes
    done(m_finishedResult);
    return;
  }
  TransferRequest request;
  request.isRead = m_bRead;
  request.verify = !m_bRead && m_verify->isChecked();
  CQorrinDoc& doc = m_host.Document();
  // A read aside leaves every byte of the document alone.
  const TransferRun::Image image = m_bKeepDocument ? doc.Image() : TransferRun::DocumentImage(doc);
  m_run = std::make_shared<TransferRun>(m_host.Port(), g_strIniFile, request, image);
  m_textLabel->setText(PromptText(false));
  m_details->hide();
  m_host.Worker().Start(m_run);
  m_ok->setEnabled(false);
  m_verify->setEnabled(false);
  m_timer.start();
}

// The write is complete: the run goes on to read the radio back; the timer follows it.
void CTransferDlg::StartVerification() {
  m_progress->setValue(0);
  m_textLabel->setText(LangText("IDS_PROMPT_VERIFY"));
}

// A verified write: what the read-back found, or that it could not read the radio.
void CTransferDlg::ShowVerification(const TransferOutcome& outcome) {
  if (outcome.Verified()) {
    m_textLabel->setText(LangText("IDS_VERIFIED"));
    Finish(QDialog::Accepted);
    return;
  }
  m_textLabel->setText(LangText("IDS_VERIFY_FAILED"));
  QStringList lines;
  for (const ImageDifference& difference : outcome.differences) lines << Qt(DescribeDifference(difference));
  if (outcome.end == TransferEnd::NotReadBack) lines << LangText("IDS_VERIFY_NOREAD");
  m_details->setPlainText(lines.join(QLatin1Char('\n')));
  m_details->show();
  Finish(QDialog::Rejected);
}

void CTransferDlg::Finish(int result) {
  m_bFinished = true;
  m_finishedResult = result;
  m_ok->setEnabled(true);
  m_ok->setFocus();
  ReportNotices();
}

// A backup that could not be saved is told once the run is over (it never stops a run).
void CTransferDlg::ReportNotices() {
  QStringList notices;
  for (const std::string& notice : m_run->Outcome().notices) {
    if (!notices.contains(Qt(notice))) notices << Qt(notice);
  }
  if (notices.isEmpty()) return;
  ShowWarningBox(this, windowTitle(), LangText("IDS_BACKUP_FAILED") + QStringLiteral("\n\n") + notices.join(QLatin1Char('\n')));
}

void CTransferDlg::OnCancel() { reject(); }

void CTransferDlg::EndRun() {
  m_timer.stop();
  m_host.Port()->Close();
}

// No answer, or the wrong radio: an error box, and the dialog ends. For no answer the box
// also says what is wrong with the port's device, when the run found something.
void CTransferDlg::ShowLinkError(const TransferOutcome& outcome, bool noAnswer) {
  QString text = LangText(noAnswer ? "IDS_ERROR_PORTCONN" : "IDS_ERROR_TYPE");
  if (noAnswer && outcome.problem == PortProblem::DeviceMissing) {
    QString portText = Qt(link::PortLabel(outcome.port));
    if (!outcome.device.empty()) portText += QStringLiteral(" (%1)").arg(Qt(outcome.device));
    text += QStringLiteral("\n\n") + LangText("IDS_ERROR_NODEVICE").replace(QStringLiteral("%s"), portText);
  } else if (noAnswer && outcome.problem == PortProblem::NoPermission) {
    text += QStringLiteral("\n\n") + LangText("IDS_ERROR_PERMISSION").replace(QStringLiteral("%s"), Qt(outcome.device));
  }
  // The radio was not reached: the connection check can tell why.
  text += QStringLiteral("\n\n") + LangText("IDS_CHECK_HINT");
  EndRun();
  ShowErrorBox(this, LangText("IDS_ERROR"), text);
  done(QDialog::Rejected);
}

// Reads the run: while it goes on, its progress; once it finished, its outcome.
void CTransferDlg::OnTimer() {
  if (!m_run) return;
  const TransferProgress progress = m_run->Progress();
  if (progress.foundPort > 0) m_host.ShowPort(progress.progress);
  if (m_run->Finished()) {
    Conclude(m_run->Outcome());
  } else {
    ShowProgress(progress);
  }
}

void CTransferDlg::ShowProgress(const TransferProgress& progress) {
  switch (progress.status) {
    case TransferStatus::XFER_READING:
    case TransferStatus::XFER_WRITING:
      m_textLabel->setText(PromptText(progress.verifying) + QStringLiteral(" %1%").arg(progress.progress));
      m_progress->setValue(progress.progress * kBarRange / 100);
      break;
    case TransferStatus::XFER_SEARCHING:
      m_textLabel->setText(LangText("IDS_SEARCHCOMPORT") + QString(progress.progress % 16, QLatin1Char('.')));
      break;
    case TransferStatus::XFER_WRITE_DONE:
      if (m_run->Request().verify) StartVerification();  // until the read-back begins
      break;
    default: break;
  }
}

void CTransferDlg::Conclude(const TransferOutcome& outcome) {
  switch (outcome.end) {
    case TransferEnd::NoAnswer:
    case TransferEnd::WrongRadio:
      ShowLinkError(outcome, outcome.end == TransferEnd::NoAnswer);
      break;
    case TransferEnd::NotReadBack:
      if (outcome.readBackEnd == TransferEnd::NoAnswer || outcome.readBackEnd == TransferEnd::WrongRadio) {
        ShowLinkError(outcome, outcome.readBackEnd == TransferEnd::NoAnswer);
        break;
      }
      if (outcome.readBackEnd == TransferEnd::Unexpected) {
        EndRun();
        done(QDialog::Rejected);
        break;
      }
      [[fallthrough]];
    case TransferEnd::Verified:
    case TransferEnd::NotVerified:
      EndRun();
      ShowVerification(outcome);
      break;
    case TransferEnd::ReadFailed:
    case TransferEnd::WriteFailed:
      // The dialog stays: OK makes a whole new run.
      EndRun();
      m_textLabel->setText(LangText(outcome.end == TransferEnd::ReadFailed ? "IDS_PROMPT_READFAIL" : "IDS_PROMPT_WRITEFAIL"));
      m_ok->setEnabled(true);
      m_verify->setEnabled(true);
      ReportNotices();
      break;
    case TransferEnd::Read:
      EndRun();
      ReportNotices();
      if (m_bKeepDocument) {
        m_readImage = *m_run->ReadImage();
        m_bHaveReadImage = true;
      } else {
        m_host.Document().ReplaceImage(*m_run->ReadImage());
        m_host.RefreshAll();
      }
      done(QDialog::Accepted);
      break;
    case TransferEnd::Written:
      EndRun();
      ReportNotices();
      done(QDialog::Accepted);
      break;
    case TransferEnd::Cancelled:
    case TransferEnd::VerifyCancelled:
    case TransferEnd::Unexpected:
      EndRun();
      done(QDialog::Rejected);
      break;
  }
}

}  // namespace qorrin::gui

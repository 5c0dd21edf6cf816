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
#include "core/link/PortAccess.h"
#include "core/link/PortNames.h"
#include "core/link/TransferRun.h"
#include "core/link/TransferState.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/GuiPrompts.h"
#include "gui/app/CQorrinApp.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"
#include "gui/link/TransferWorker.h"

namespace qorrin::gui {
namespace {

constexpr int kPollMs = 20;
constexpr int kBarRange = 1024;

}  // namespace

CTransferDlg::CTransferDlg(CQorrinApp& app, QWidget* parent) : QDialog(parent), m_app(app) {
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

QString CTransferDlg::PromptText() const {
  if (Verifying()) return LangText("IDS_PROMPT_VERIFY");
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
  CQorrinDoc& doc = m_app.Document();
  // A read aside leaves every byte of the document alone.
  const TransferRun::Image image = m_bKeepDocument ? doc.Image() : TransferRun::DocumentImage(doc);
  m_run = std::make_shared<TransferRun>(m_app.Port(), g_strIniFile, request, image);
  m_textLabel->setText(PromptText());
  m_details->hide();
  m_app.Worker().Start(m_run);
  m_ok->setEnabled(false);
  m_verify->setEnabled(false);
  m_timer.start();
}

bool CTransferDlg::Verifying() const { return m_run && &m_run->Current() == m_run->ReadBack(); }

// The write is complete: the run goes on to read the radio back; the timer follows it.
void CTransferDlg::StartVerification() {
  m_progress->setValue(0);
  m_textLabel->setText(LangText("IDS_PROMPT_VERIFY"));
}

void CTransferDlg::FinishVerification() {
  EndRun();
  const bool readBackComplete = m_run->ReadBackComplete();
  const std::vector<ImageDifference> differences = m_run->Differences();
  if (readBackComplete && differences.empty()) {
    m_textLabel->setText(LangText("IDS_VERIFIED"));
    Finish(QDialog::Accepted);
    return;
  }
  m_textLabel->setText(LangText("IDS_VERIFY_FAILED"));
  QStringList lines;
  for (const ImageDifference& difference : differences) lines << Qt(DescribeDifference(difference));
  if (!readBackComplete) lines << LangText("IDS_VERIFY_NOREAD");
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
  for (const std::string& notice : m_run->Notices()) {
    if (!notices.contains(Qt(notice))) notices << Qt(notice);
  }
  if (notices.isEmpty()) return;
  ShowWarningBox(this, windowTitle(), LangText("IDS_BACKUP_FAILED") + QStringLiteral("\n\n") + notices.join(QLatin1Char('\n')));
}

void CTransferDlg::OnCancel() { reject(); }

void CTransferDlg::EndRun() {
  m_timer.stop();
  m_app.Port()->Close();
}

// The configured port's device refused us, or is not there: say which one and what to do.
QString CTransferDlg::PortErrorText() const {
  QString text = LangText("IDS_ERROR_PORTCONN");
  const int port = m_run->ConfiguredPort();
  const std::string device = link::DeviceForPort(port, g_strIniFile);
  if (device.empty() || link::DeviceIsMissing(device)) {
    QString portText = Qt(link::PortLabel(port));
    if (!device.empty()) portText += QStringLiteral(" (%1)").arg(Qt(device));
    text += QStringLiteral("\n\n") + LangText("IDS_ERROR_NODEVICE").replace(QStringLiteral("%s"), portText);
  } else if (link::LacksPermission(device)) {
    QString access = LangText("IDS_ERROR_PERMISSION");
    access.replace(QStringLiteral("%s"), Qt(device));
    text += QStringLiteral("\n\n") + access;
  }
  return text;
}

void CTransferDlg::OnTimer() {
  if (!m_run) return;
  const TransferState& state = m_run->Current();
  if (state.foundPort.load() > 0) m_app.MainFrame()->SetPortPane(state.progress.load());
  const TransferStatus status = state.status.load();
  const int progress = state.progress.load();
  switch (status) {
    case TransferStatus::XFER_IDLE: break;
    case TransferStatus::XFER_PORT_ERROR:
    case TransferStatus::XFER_TYPE_ERROR:
      EndRun();
      // The radio was not reached: the connection check can tell why.
      ShowErrorBox(this, LangText("IDS_ERROR"),
                   (status == TransferStatus::XFER_PORT_ERROR ? PortErrorText() : LangText("IDS_ERROR_TYPE")) +
                       QStringLiteral("\n\n") + LangText("IDS_CHECK_HINT"));
      done(QDialog::Rejected);
      break;
    case TransferStatus::XFER_READING:
    case TransferStatus::XFER_WRITING:
      m_textLabel->setText(PromptText() + QStringLiteral(" %1%").arg(progress));
      m_progress->setValue(progress * kBarRange / 100);
      break;
    case TransferStatus::XFER_READ_FAIL:
    case TransferStatus::XFER_WRITE_FAIL:
      if (Verifying()) {
        FinishVerification();
        break;
      }
      EndRun();
      m_textLabel->setText(
          LangText(status == TransferStatus::XFER_READ_FAIL ? "IDS_PROMPT_READFAIL" : "IDS_PROMPT_WRITEFAIL"));
      m_ok->setEnabled(true);
      m_verify->setEnabled(true);
      ReportNotices();
      break;
    case TransferStatus::XFER_READ_DONE:
      if (Verifying()) {
        FinishVerification();
        break;
      }
      EndRun();
      ReportNotices();
      if (m_bKeepDocument) {
        m_readImage = *m_run->ReadImage();
        m_bHaveReadImage = true;
      } else {
        m_app.Document().ReplaceImage(*m_run->ReadImage());
        m_app.RefreshAll();
      }
      done(QDialog::Accepted);
      break;
    case TransferStatus::XFER_WRITE_DONE:
      if (m_run->ReadBack()) {  // until the read-back begins
        StartVerification();
        break;
      }
      EndRun();
      ReportNotices();
      done(QDialog::Accepted);
      break;
    case TransferStatus::XFER_SEARCHING:
      m_textLabel->setText(LangText("IDS_SEARCHCOMPORT") + QString(progress % 16, QLatin1Char('.')));
      break;
    default:
      EndRun();
      done(QDialog::Rejected);
      break;
  }
}

}  // namespace qorrin::gui

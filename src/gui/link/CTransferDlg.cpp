#include "gui/link/CTransferDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/lang/LangText.h"
#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortAccess.h"
#include "core/link/PortNames.h"
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
constexpr int kProgressBar = 1009;
constexpr int kStatusText = 1010;
constexpr int kBaudRate = 9600;

}  // namespace

CTransferDlg::CTransferDlg(CQorrinApp& app, QWidget* parent) : QDialog(parent), m_app(app) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  m_textLabel = new QLabel(this);
  SetControlId(m_textLabel, kStatusText);
  m_textLabel->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
  m_progress = new QProgressBar(this);
  SetControlId(m_progress, kProgressBar);
  m_progress->setTextVisible(false);
  m_ok = new QPushButton(QStringLiteral("确定"), this);
  SetControlId(m_ok, ctl::kOk);
  m_ok->setDefault(true);
  m_cancel = new QPushButton(QStringLiteral("取消"), this);
  SetControlId(m_cancel, ctl::kCancel);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_textLabel);
  layout->addWidget(m_progress);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_ok, &QPushButton::clicked, this, &CTransferDlg::OnOK);
  connect(m_cancel, &QPushButton::clicked, this, &CTransferDlg::OnCancel);
  connect(this, &QDialog::rejected, this, [this] {
    if (m_state) m_state->cancel.store(1);
    EndRun();
  });
  connect(&m_timer, &QTimer::timeout, this, &CTransferDlg::OnTimer);
  m_timer.setInterval(kPollMs);
}

CTransferDlg::~CTransferDlg() {
  if (m_state) m_state->cancel.store(1);
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
}

QString CTransferDlg::PromptText() const { return LangText(m_bRead ? "IDS_PROMPT_READ" : "IDS_PROMPT_WRITE"); }

void CTransferDlg::OnOK() {
  CQorrinDoc& doc = m_app.Document();
  doc.UpdateIndexFields();
  auto state = std::make_shared<TransferState>();
  state->port = m_app.Port();
  m_app.Port()->SetBaudRate(kBaudRate);
  state->settingsPath = g_strIniFile;
  state->isRead = m_bRead;
  state->buffer = doc.m_image;
  state->progress.store(m_state ? m_state->progress.load() : 0);
  m_state = state;
  m_textLabel->setText(PromptText());
  m_app.Worker().Start(state);
  m_ok->setEnabled(false);
  m_timer.start();
}

void CTransferDlg::OnCancel() { reject(); }

void CTransferDlg::EndRun() {
  m_timer.stop();
  m_app.Port()->Close();
}

// The configured port's device refused us: say which one and how to get access.
QString CTransferDlg::PortErrorText() const {
  QString text = LangText("IDS_ERROR_PORTCONN");
  const std::string device = link::DeviceForPort(link::ReadComPort(g_strIniFile), g_strIniFile);
  if (!device.empty() && link::LacksPermission(device)) {
    QString access = LangText("IDS_ERROR_PERMISSION");
    access.replace(QStringLiteral("%s"), Qt(device));
    text += QStringLiteral("\n\n") + access;
  }
  return text;
}

void CTransferDlg::OnTimer() {
  if (!m_state) return;
  TransferState& state = *m_state;
  if (state.foundPort.load() > 0) m_app.MainFrame()->SetPortPane(state.progress.load());
  const int status = state.status.load();
  const int progress = state.progress.load();
  switch (status) {
    case XFER_IDLE: break;
    case XFER_PORT_ERROR:
    case XFER_TYPE_ERROR:
      EndRun();
      ShowErrorBox(this, LangText("IDS_ERROR"),
                   status == XFER_PORT_ERROR ? PortErrorText() : LangText("IDS_ERROR_TYPE"));
      done(QDialog::Rejected);
      break;
    case XFER_READING:
    case XFER_WRITING:
      m_textLabel->setText(PromptText() + QStringLiteral(" %1%").arg(progress));
      m_progress->setValue(progress * kBarRange / 100);
      break;
    case XFER_READ_FAIL:
    case XFER_WRITE_FAIL:
      EndRun();
      m_textLabel->setText(LangText(status == XFER_READ_FAIL ? "IDS_PROMPT_READFAIL" : "IDS_PROMPT_WRITEFAIL"));
      m_ok->setEnabled(true);
      break;
    case XFER_READ_DONE:
      EndRun();
      m_app.Document().ReplaceImage(state.buffer);
      m_app.RefreshAll();
      done(QDialog::Accepted);
      break;
    case XFER_WRITE_DONE:
      EndRun();
      done(QDialog::Accepted);
      break;
    case XFER_SEARCHING:
      m_textLabel->setText(LangText("IDS_SEARCHCOMPORT") + QString(progress % 16, QLatin1Char('.')));
      break;
    default:
      EndRun();
      done(QDialog::Rejected);
      break;
  }
}

}  // namespace qorrin::gui

#include "gui/link/CCheckConnectionDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>

#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/model/ModelInfo.h"
#include "core/settings/AppPaths.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/ConnectionCheck.h"
#include "gui/link/LinkHost.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {

// What the dialog and its worker share; the worker writes the report before `done`.
struct CheckRunState {
  std::atomic<bool> cancel{false};
  std::atomic<CheckStep> step{CheckStep::Device};
  std::atomic<bool> done{false};
  CheckReport report;
};

namespace {

constexpr int kCheckPollMs = 50;

QIcon StatusIcon(CheckStatus status) {
  switch (status) {
    case CheckStatus::Ok:
      return QIcon::fromTheme(QStringLiteral("emblem-ok"), QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton));
    case CheckStatus::Warning:
      return QIcon::fromTheme(QStringLiteral("dialog-warning"),
                              QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
    case CheckStatus::Problem: break;
  }
  return QIcon::fromTheme(QStringLiteral("dialog-error"), QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical));
}

const char* StatusKey(CheckStatus status) {
  switch (status) {
    case CheckStatus::Ok: return "IDS_CHECK_STATUS_OK";
    case CheckStatus::Warning: return "IDS_CHECK_STATUS_WARNING";
    case CheckStatus::Problem: break;
  }
  return "IDS_CHECK_STATUS_PROBLEM";
}

const char* StepKey(CheckStep step) {
  switch (step) {
    case CheckStep::Device: return "IDS_CHECK_STEP_DEVICE";
    case CheckStep::Access: return "IDS_CHECK_STEP_ACCESS";
    case CheckStep::Holders: return "IDS_CHECK_STEP_HOLDERS";
    case CheckStep::Services: return "IDS_CHECK_STEP_SERVICES";
    case CheckStep::Line:
    case CheckStep::Done: break;
  }
  return "IDS_CHECK_STEP_LINE";
}

// The finding as one entry: its sentence, the fix under it, then the lines it lists.
QListWidgetItem* FindingItem(const CheckFinding& finding, const CheckTexts& texts) {
  QStringList lines{Qt(finding.text)};
  if (!finding.fix.empty()) lines << Qt(texts.FixLine(finding.fix));
  for (const std::string& detail : finding.details) lines << QStringLiteral("    ") + Qt(detail);
  auto* item = new QListWidgetItem(StatusIcon(finding.status), lines.join(QLatin1Char('\n')));
  // A screen reader hears the status first, then the whole entry.
  item->setData(Qt::AccessibleTextRole, LangText(StatusKey(finding.status)) + QStringLiteral(": ") +
                                            lines.join(QLatin1Char(' ')).simplified());
  item->setData(Qt::UserRole, Qt(finding.textKey));
  return item;
}

// Entries as tall as their wrapped text needs at the width the list gives them now: the
// list's own measure takes the whole row for the text, without the icon beside it, and a
// long sentence (or one without spaces, as Chinese is written) then loses its last lines.
class FindingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const auto* list = qobject_cast<const QListView*>(item.widget);
    if (list == nullptr) return QStyledItemDelegate::sizeHint(option, index);
    const int width = list->viewport()->width() - 2 * list->spacing();
    item.rect = QRect(0, 0, width, 1 << 20);
    QStyle* style = list->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QRect textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &item, list);
    const QRect text = item.fontMetrics.boundingRect(QRect(0, 0, textArea.width() - 2 * margin, 1 << 20),
                                                     Qt::TextWordWrap, item.text);
    return {width, std::max(text.height(), item.decorationSize.height()) + 2 * margin + 2};
  }
};

}  // namespace

CCheckConnectionDlg::CCheckConnectionDlg(ILinkHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowTitle(LangText("IDS_CHECK_TITLE"));
  setAccessibleName(windowTitle());
  m_heading = new QLabel(this);
  m_heading->setWordWrap(true);
  m_step = new QLabel(this);
  m_busy = new QProgressBar(this);
  m_busy->setRange(0, 0);
  m_busy->setTextVisible(false);
  m_busy->setAccessibleName(windowTitle());
  m_findings = new QListWidget(this);
  m_findings->setAccessibleName(LangText("IDS_CHECK_FINDINGS"));
  m_findings->setWordWrap(true);
  m_findings->setTextElideMode(Qt::ElideNone);
  m_findings->setResizeMode(QListView::Adjust);
  m_findings->setSpacing(3);
  m_findings->setItemDelegate(new FindingDelegate(m_findings));
  m_findings->setSelectionMode(QAbstractItemView::SingleSelection);
  const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
  m_findings->setMinimumSize(em * 44, fontMetrics().height() * 18);
  m_findings->setIconSize(QSize(fontMetrics().height() * 3 / 2, fontMetrics().height() * 3 / 2));

  auto* buttons = new QDialogButtonBox(this);
  m_again = buttons->addButton(LangText("IDS_CHECK_AGAIN"), QDialogButtonBox::ActionRole);
  m_close = buttons->addButton(LangText("IDS_CHECK_CLOSE"), QDialogButtonBox::RejectRole);
  m_again->setAccessibleName(PlainText(m_again->text()));
  m_close->setAccessibleName(PlainText(m_close->text()));
  m_close->setDefault(true);
  connect(m_again, &QPushButton::clicked, this, &CCheckConnectionDlg::Start);
  connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
  connect(this, &QDialog::rejected, this, &CCheckConnectionDlg::Stop);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_heading);
  layout->addWidget(m_step);
  layout->addWidget(m_busy);
  layout->addWidget(m_findings, 1);
  layout->addWidget(buttons);

  connect(&m_timer, &QTimer::timeout, this, &CCheckConnectionDlg::OnTimer);
  m_timer.setInterval(kCheckPollMs);
  Start();
}

CCheckConnectionDlg::~CCheckConnectionDlg() { Stop(); }

void CCheckConnectionDlg::Start() {
  if (Running()) return;
  const int port = link::ReadComPort(g_strIniFile);
  const std::string device = link::DeviceForPort(port, g_strIniFile);
  m_where = Qt(link::PortLabel(port));
  if (!device.empty()) m_where += QStringLiteral(" (%1)").arg(Qt(device));
  m_heading->setText(LangText("IDS_CHECK_RUNNING").replace(QStringLiteral("%1"), m_where));
  m_heading->setAccessibleName(m_heading->text());
  m_findings->clear();
  m_again->setEnabled(false);
  m_step->show();
  m_busy->show();

  CheckRequest request;
  request.port = port;
  request.settingsPath = g_strIniFile;
  request.langFile = g_strLangFile;
  request.models = ModelTable::Load();
  m_run = std::make_shared<CheckRunState>();
  request.cancel = &m_run->cancel;
  request.step = &m_run->step;
  std::shared_ptr<CSerialPort> serial = m_host.Port();
  serial->Close();
  m_thread = std::thread([run = m_run, serial, request] {
    run->report = CheckConnection(*serial, request);
    run->done.store(true);
  });
  m_timer.start();
  OnTimer();
}

void CCheckConnectionDlg::Stop() {
  m_timer.stop();
  if (m_run) m_run->cancel.store(true);
  if (m_thread.joinable()) m_thread.join();
}

void CCheckConnectionDlg::OnTimer() {
  if (!m_run || !Running()) return;
  if (!m_run->done.load()) {
    m_step->setText(LangText(StepKey(m_run->step.load())));
    m_step->setAccessibleName(m_step->text());
    return;
  }
  m_timer.stop();
  m_thread.join();
  ShowFindings();
}

void CCheckConnectionDlg::ShowFindings() {
  m_heading->setText(LangText("IDS_CHECK_DONE").replace(QStringLiteral("%1"), m_where));
  m_heading->setAccessibleName(m_heading->text());
  m_step->hide();
  m_busy->hide();
  const CheckTexts texts(g_strLangFile);
  for (const CheckFinding& finding : m_run->report.findings) m_findings->addItem(FindingItem(finding, texts));
  m_again->setEnabled(true);
  // The entry to read first: the first problem, else the first warning, else the last.
  const auto& findings = m_run->report.findings;
  int current = static_cast<int>(findings.size()) - 1;
  for (CheckStatus status : {CheckStatus::Warning, CheckStatus::Problem}) {
    for (int i = 0; i < static_cast<int>(findings.size()); ++i) {
      if (findings[static_cast<std::size_t>(i)].status == status) {
        current = i;
        break;
      }
    }
  }
  m_findings->setFocus();
  if (current >= 0) m_findings->setCurrentRow(current);
  Q_EMIT checkFinished();
}

}  // namespace qorrin::gui

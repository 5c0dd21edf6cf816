#include "gui/link/CStationDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/ModelInfo.h"
#include "core/settings/AppPaths.h"
#include "core/transfer/StationLog.h"
#include "gui/lang/MessageBoxes.h"
#include "gui/lang/QtText.h"
#include "gui/link/LinkHost.h"
#include "gui/link/StationTable.h"
#include "gui/link/StationTexts.h"

namespace qorrin::gui {
namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kWhereRole = Qt::UserRole + 1;  // the port number or the folder
constexpr char kStableNames[] = "/dev/serial/by-id";

QLabel* Caption(const char* key, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(LangText(key), parent);
  label->setBuddy(buddy);
  buddy->setAccessibleName(PlainText(label->text()).remove(u':').remove(QChar(0xFF1A)).trimmed());
  return label;
}

}  // namespace

CStationDlg::CStationDlg(ILinkHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
  setObjectName("StationDialog");
  setWindowTitle(LangText("IDS_STATION_TITLE"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setSizeGripEnabled(true);

  const CQorrinDoc& doc = m_host.Document();
  m_plan = new QLabel(QDir::toNativeSeparators(Qt(doc.GetPathName().empty() ? doc.GetTitle() : doc.GetPathName())), this);
  m_ports = new QComboBox(this);
  m_verify = new QCheckBox(LangText("IDS_VERIFY_WRITE"), this);
  m_verify->setAccessibleName(PlainText(m_verify->text()));
  m_verify->setChecked(link::ReadVerifyAfterWrite(g_strIniFile));
  m_logName = new QLabel(this);
  m_logName->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_changeLog = new QPushButton(LangText("IDS_STATION_LOG_CHANGE"), this);
  m_changeLog->setAccessibleName(PlainText(m_changeLog->text()));
  m_table = new StationTable(this);
  m_tally = new QLabel(this);
  QFont large = m_tally->font();
  large.setPointSizeF(large.pointSizeF() * 1.4);
  large.setBold(true);
  m_tally->setFont(large);
  m_notice = new QLabel(this);
  m_start = new QPushButton(LangText("IDS_STATION_START"), this);
  m_stop = new QPushButton(LangText("IDS_STATION_STOP"), this);
  m_close = new QPushButton(LangText("IDS_STATION_CLOSE"), this);
  for (QPushButton* button : {m_start, m_stop, m_close}) button->setAccessibleName(PlainText(button->text()));
  m_start->setDefault(true);

  m_plan->setAccessibleName(PlainText(LangText("IDS_STATION_PLAN")) + QStringLiteral(" ") + m_plan->text());
  auto* form = new QGridLayout;
  form->addWidget(new QLabel(LangText("IDS_STATION_PLAN"), this), 0, 0);
  form->addWidget(m_plan, 0, 1, 1, 2);
  form->addWidget(Caption("IDS_STATION_PORTS", m_ports, this), 1, 0);
  form->addWidget(m_ports, 1, 1, 1, 2);
  form->addWidget(m_verify, 2, 1, 1, 2);
  form->addWidget(new QLabel(LangText("IDS_STATION_LOG"), this), 3, 0);
  form->addWidget(m_logName, 3, 1);
  form->addWidget(m_changeLog, 3, 2);
  form->setColumnStretch(1, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(m_start, QDialogButtonBox::ActionRole);
  buttons->addButton(m_stop, QDialogButtonBox::ActionRole);
  buttons->addButton(m_close, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_table, 1);
  layout->addWidget(m_tally);
  layout->addWidget(m_notice);
  layout->addWidget(buttons);
  m_tally->setText(StationTallyText({}));
  m_tally->setAccessibleName(m_tally->text());

  connect(m_ports, &QComboBox::activated, this, &CStationDlg::OnPortsChosen);
  connect(m_changeLog, &QPushButton::clicked, this, &CStationDlg::OnChangeLog);
  connect(m_start, &QPushButton::clicked, this, &CStationDlg::OnStart);
  connect(m_stop, &QPushButton::clicked, this, &CStationDlg::OnStop);
  connect(m_close, &QPushButton::clicked, this, &CStationDlg::reject);
  FillPorts();
  SetLogPath(doc.GetPathName().empty() ? QString() : Qt(DefaultStationLogPath(doc.GetPathName())));
  ShowRunning(false);
  resize(900, 560);
}

CStationDlg::~CStationDlg() {
  // The station's threads end before the dialog does, so none can reach it when it is gone.
  if (m_station) m_station->Stop(Station::StopMode::CancelTransfers);
  m_station.reset();
}

void CStationDlg::FillPorts() {
  m_ports->clear();
  m_ports->addItem(LangText("IDS_STATION_ALL_USB"), static_cast<int>(StationSource::Kind::AllUsb));
  m_ports->addItem(LangText("IDS_STATION_BY_ID"), static_cast<int>(StationSource::Kind::Folder));
  m_ports->setItemData(1, QString::fromLatin1(kStableNames), kWhereRole);
  m_ports->addItem(LangText("IDS_STATION_FOLDER"), static_cast<int>(StationSource::Kind::Folder));
  for (const link::PortListing& port : link::ListPorts(g_strIniFile)) {
    QString text = Qt(link::PortLabel(port.number)) + QStringLiteral("  ") + QDir::toNativeSeparators(Qt(port.device));
    if (!port.description.empty()) text += QStringLiteral("  ") + Qt(port.description);
    m_ports->addItem(text, static_cast<int>(StationSource::Kind::Port));
    m_ports->setItemData(m_ports->count() - 1, port.number, kWhereRole);
  }
  m_ports->setCurrentIndex(0);
}

void CStationDlg::UseFolder(const QString& folder) {
  m_folder = folder;
  const int item = 2;
  m_ports->setItemText(item, LangText("IDS_STATION_FOLDER_NAMED").arg(QDir::toNativeSeparators(folder)));
  m_ports->setItemData(item, folder, kWhereRole);
  m_ports->setCurrentIndex(item);
}

void CStationDlg::OnPortsChosen(int index) {
  if (index != 2) return;
  QFileDialog dialog(this, LangText("IDS_STATION_FOLDER"), m_folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    UseFolder(dialog.selectedFiles().first());
  } else if (m_folder.isEmpty()) {
    m_ports->setCurrentIndex(0);
  }
}

StationSource CStationDlg::ChosenSource() const {
  StationSource source;
  source.kind = static_cast<StationSource::Kind>(m_ports->currentData(kKindRole).toInt());
  if (source.kind == StationSource::Kind::Port) source.port = m_ports->currentData(kWhereRole).toInt();
  if (source.kind == StationSource::Kind::Folder) source.path = Std(m_ports->currentData(kWhereRole).toString());
  return source;
}

void CStationDlg::SetLogPath(const QString& path) {
  m_logPath = path;
  m_logName->setText(path.isEmpty() ? LangText("IDS_STATION_LOG_ASKED") : QDir::toNativeSeparators(path));
  m_logName->setAccessibleName(PlainText(LangText("IDS_STATION_LOG")) + QStringLiteral(" ") + m_logName->text());
}

QString CStationDlg::AskLogPath() {
  const QString proposed = m_logPath.isEmpty() ? QDir::home().filePath(Qt(DefaultStationLogPath(m_host.Document().GetTitle())))
                                               : m_logPath;
  QFileDialog dialog(this, LangText("IDS_STATION_LOG_WHERE"), proposed, LangText("IDS_STATION_LOG_FILTER"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  // The log is continued, never replaced: an existing one needs no overwrite question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void CStationDlg::OnChangeLog() {
  const QString path = AskLogPath();
  if (!path.isEmpty()) SetLogPath(path);
}

void CStationDlg::OnStart() {
  if (m_station) return;
  CQorrinDoc& doc = m_host.Document();
  if (!MatchesAnyModel(doc.Image())) {
    ShowErrorBox(this, LangText("IDS_STATION_TITLE"), LangText("IDS_STATION_NO_MODEL"));
    return;
  }
  if (m_logPath.isEmpty()) {
    const QString path = AskLogPath();  // a plan never saved has no place of its own
    if (path.isEmpty()) return;
    SetLogPath(path);
  }
  StationSettings settings;
  settings.settingsPath = g_strIniFile;
  settings.plan = TransferRun::DocumentImage(doc);
  settings.sources = {ChosenSource()};
  settings.verify = m_verify->isChecked();
  settings.logPath = Std(m_logPath);
  m_host.Port()->Close();  // the station opens its ports itself
  m_table->Clear();
  m_tally->setText(StationTallyText({}));
  IStationObserver& observer = *this;
  m_station = std::make_unique<Station>(settings, observer);
  std::string error;
  if (!m_station->Start(&error)) {
    m_station.reset();
    ShowErrorBox(this, LangText("IDS_STATION_TITLE"), LangText("IDS_STATION_CANNOT_START") + QStringLiteral("\n\n") + Qt(error));
    return;
  }
  m_stops = 0;
  m_notice->clear();
  ShowRunning(true);
}

void CStationDlg::OnStop() {
  if (!m_station) return;
  if (++m_stops == 1) {
    m_station->Stop(Station::StopMode::AfterRadiosUnderWay);
    m_notice->setText(LangText("IDS_STATION_STOPPING"));
    m_stop->setText(LangText("IDS_STATION_CANCEL_TRANSFERS"));
    m_stop->setAccessibleName(PlainText(m_stop->text()));
  } else {
    m_station->Stop(Station::StopMode::CancelTransfers);
    m_stop->setEnabled(false);
  }
}

void CStationDlg::ShowRunning(bool running) {
  m_start->setEnabled(!running);
  m_stop->setEnabled(running);
  m_close->setEnabled(!running);
  m_ports->setEnabled(!running);
  m_verify->setEnabled(!running);
  m_changeLog->setEnabled(!running);
  if (!running) {
    m_stop->setText(LangText("IDS_STATION_STOP"));
    m_stop->setAccessibleName(PlainText(m_stop->text()));
  }
  Q_EMIT runningChanged(running);
}

void CStationDlg::reject() {
  if (!m_station) QDialog::reject();
}

void CStationDlg::OnPortChanged(const StationPortView& port) {
  QMetaObject::invokeMethod(this, [this, port] { m_table->ShowPort(port); }, Qt::QueuedConnection);
}

void CStationDlg::OnRadioFinished(const StationRadio&, const StationTally& tally) {
  QMetaObject::invokeMethod(
      this,
      [this, tally] {
        m_tally->setText(StationTallyText(tally));
        m_tally->setAccessibleName(m_tally->text());
      },
      Qt::QueuedConnection);
}

void CStationDlg::OnStationEnded(const StationTally& tally) {
  QMetaObject::invokeMethod(
      this,
      [this, tally] {
        m_tally->setText(StationTallyText(tally));
        m_tally->setAccessibleName(m_tally->text());
        Ended();
      },
      Qt::QueuedConnection);
}

void CStationDlg::Ended() {
  if (!m_station) return;
  m_station->Wait();  // its last call is made; the thread is ending
  m_station.reset();
  m_notice->setText(LangText("IDS_STATION_ENDED"));
  ShowRunning(false);
}

}  // namespace qorrin::gui

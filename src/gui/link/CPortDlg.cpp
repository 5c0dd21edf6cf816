#include "gui/link/CPortDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/link/CableChips.h"
#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/link/ProtocolTimings.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProfileFile.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/DialogButtons.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"
#include "gui/link/LinkHost.h"

namespace qorrin::gui {
namespace {

// The device behind a number, and for a USB cable its chip and serial number (for another
// device what the system says of it).
QString DeviceLine(const link::PortListing& port) {
  const link::SerialDevice& machine = port.machine;
  if (machine.path.empty()) {
    QString line = Qt(port.device);
    if (!port.description.empty()) line += QStringLiteral("\n") + Qt(port.description);
    return line;
  }
  QString line = Qt(machine.path);
  QStringList cable;
  if (const std::string chip = link::ChipText(machine); !chip.empty()) cable << Qt(chip);
  if (!machine.serial.empty()) cable << LangText("IDS_CHECK_SERIAL_NUMBER").replace(QStringLiteral("%1"), Qt(machine.serial));
  if (!cable.isEmpty()) line += QStringLiteral("\n") + cable.join(QStringLiteral(", "));
  return line;
}

}  // namespace

CPortDlg::CPortDlg(ILinkHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
  setWindowTitle(QStringLiteral("Communication Port"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* group = new QGroupBox(QStringLiteral("通信端口"), this);
  SetControlId(group, ctl::kPortGroup);
  auto* grid = new QGridLayout(group);
  auto* exclusive = new QButtonGroup(this);
  for (int n = 1; n <= kPortButtons; ++n) {
    auto* button = new QRadioButton(QStringLiteral("COM%1").arg(n), group);
    SetControlId(button, ctl::kFirstPortButton + n - 1);
    exclusive->addButton(button, n);
    grid->addWidget(button, (n - 1) % 4, (n - 1) / 4);
    m_ports[n - 1] = button;
  }
  m_search = new QCheckBox(QStringLiteral("搜索端口"), this);
  SetControlId(m_search, ctl::kSearchPorts);
  m_pin = new QCheckBox(LangText("IDS_PORT_PIN"), this);
  m_pin->setAccessibleName(PlainText(m_pin->text()));
  connect(exclusive, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) UpdatePinBox();
  });

  const DialogButtons buttons = MakeOkCancel(this);
  connect(buttons.ok, &QPushButton::clicked, this, &CPortDlg::OnOK);
  connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_search, &QCheckBox::clicked, this, &CPortDlg::OnSearchCom);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(m_pin);
  layout->addWidget(m_search);
  layout->addWidget(buttons.box);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  OnInitDialog();
}

void CPortDlg::OnInitDialog() {
  LocalizeDialog(this, dlg::kPort);
  const int com = link::ReadComPort(g_strIniFile);
  m_listing = link::ListPorts(g_strIniFile);
  CSerialPort& port = *m_host.Port();
  port.Close();
  for (int n = 1; n <= kPortButtons; ++n) {
    QRadioButton* button = m_ports[n - 1];
    if (const link::PortListing* listed = Listing(n)) button->setText(button->text() + QStringLiteral("  ") + DeviceLine(*listed));
    button->setAccessibleName(PlainText(button->text()).replace(u'\n', u' '));
    button->setChecked(n == com);
    // A port that opens is there to be chosen; one that does not (absent, or in use by
    // another program) is shown disabled, the configured one keeping its mark.
    if (port.Open(n, link::kBaudRate, g_strIniFile) != 0) {
      port.Close();
    } else {
      button->setEnabled(false);
    }
  }
  m_search->setChecked(link::ReadSearchComValue(g_strIniFile) != 0);
  UpdatePinBox();
}

const link::PortListing* CPortDlg::Listing(int n) const {
  for (const auto& listed : m_listing) {
    if (listed.number == n) return &listed;
  }
  return nullptr;
}

int CPortDlg::ChosenPort() const {
  for (int n = 1; n <= kPortButtons; ++n) {
    if (m_ports[n - 1]->isChecked()) return n;
  }
  return 0;
}

void CPortDlg::UpdatePinBox() {
  const link::PortListing* listed = Listing(ChosenPort());
  const bool pinnable = listed != nullptr && !listed->machine.stableName.empty();
  m_pin->setEnabled(pinnable);
  m_pin->setChecked(pinnable && listed->fromSettings && listed->device == listed->machine.stableName);
}

void CPortDlg::OnSearchCom() { link::WriteSearchCom(m_search->isChecked(), g_strIniFile); }

void CPortDlg::OnOK() {
  for (int n = 1; n <= kPortButtons; ++n) {
    if (!m_ports[n - 1]->isChecked()) continue;
    if (n != link::ReadComPort(g_strIniFile)) {
      m_host.Port()->Close();
      link::WriteComPort(n, g_strIniFile);
    }
    break;
  }
  // Pinned: the number names the cable by its stable name. Unpinned again: the number is
  // the machine's n-th device once more.
  if (const link::PortListing* listed = Listing(ChosenPort()); listed != nullptr && m_pin->isEnabled()) {
    const std::string& stable = listed->machine.stableName;
    const bool pinned = listed->fromSettings && listed->device == stable;
    if (m_pin->isChecked() != pinned) {
      WriteProfileString("ports", std::to_string(listed->number), m_pin->isChecked() ? stable : std::string(),
                         g_strIniFile);
    }
  }
  m_host.ShowPort(link::ReadComPort(g_strIniFile));
  accept();
}

}  // namespace qorrin::gui

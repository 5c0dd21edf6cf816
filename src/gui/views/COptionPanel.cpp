#include "gui/views/COptionPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/edit/FrequencyRange.h"
#include "core/edit/PriorityChannelList.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/GuiPrompts.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"
#include "gui/views/ComboFill.h"

namespace qorrin::gui {
namespace {

// Control ids of the panel: a group, and per control its label and itself.
constexpr int kModelGroup = 1020, kRangeLabel = 1021, kRangeList = 1022;
constexpr int kScanGroup = 1176, kScanModeLabel = 1044, kScanModeList = 1045, kPriorityScanBox = 1043,
              kPriorityLabel = 1052, kPriorityList = 1053;
constexpr int kOptionGroup = 1175;

struct ListControl {
  OptionList list;
  int labelId;
  int controlId;
  const char* builtInLabel;
};
constexpr ListControl kOptionControls[] = {
    {OptionList::Squelch, 1030, 1031, "静噪等级"},
    {OptionList::VoxLevel, 1032, 1033, "声控等级"},
    {OptionList::TxTimeLimit, 1034, 1035, "发射限时[秒]"},
    {OptionList::ChannelFlag, 1036, 1037, "信道标志"},
    {OptionList::ChannelDisplay, 1040, 1041, "信道显示方式"},
    {OptionList::BackLight, 1046, 1047, "背景灯"},
};

struct CheckControl {
  OptionCheck check;
  int controlId;
  const char* builtInText;
};
constexpr CheckControl kCheckControls[] = {
    {OptionCheck::BusyLockout, 1038, "繁忙锁定"},
    {OptionCheck::KeyBeep, 1039, "按键音"},
    {OptionCheck::PowerSave, 1042, "省电功能"},
    {OptionCheck::PriorityScan, kPriorityScanBox, "优先扫描"},
};

QComboBox* NewList(QWidget* parent, int id) {
  auto* combo = new QComboBox(parent);
  SetControlId(combo, id);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return combo;
}

QLabel* NewLabel(QWidget* parent, int id, const char* builtIn, QWidget* buddy) {
  auto* label = new QLabel(QString::fromUtf8(builtIn), parent);
  SetControlId(label, id);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

COptionPanel::COptionPanel(CQorrinDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
  for (const CheckControl& control : kCheckControls) {
    auto* box = new QCheckBox(QString::fromUtf8(control.builtInText), this);
    SetControlId(box, control.controlId);
    m_checks[static_cast<std::size_t>(control.check)] = box;
    const OptionCheck check = control.check;
    connect(box, &QCheckBox::clicked, this, [this, check](bool on) { CommitOptionCheck(m_doc, check, on); });
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildModelGroup());
  layout->addWidget(BuildScanGroup());
  layout->addWidget(BuildOptionGroup());
  layout->addStretch(1);
}

QWidget* COptionPanel::BuildModelGroup() {
  auto* group = new QGroupBox(QStringLiteral("机型信息"), this);
  SetControlId(group, kModelGroup);
  auto* form = new QFormLayout(group);
  m_range = NewList(group, kRangeList);
  form->addRow(NewLabel(group, kRangeLabel, "频率范围", m_range), m_range);
  connect(m_range, &QComboBox::activated, this, &COptionPanel::OnRangePicked);

  // Not a setting: how many channels the table holds, at a glance.
  m_channels = new QLineEdit(group);
  m_channels->setObjectName(QStringLiteral("programmedChannels"));
  m_channels->setReadOnly(true);
  m_channels->setFocusPolicy(Qt::StrongFocus);
  m_channels->setMaximumWidth(m_channels->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
  auto* channelsLabel = new QLabel(group);
  channelsLabel->setObjectName(QStringLiteral("programmedChannelsLabel"));
  channelsLabel->setBuddy(m_channels);
  form->addRow(channelsLabel, m_channels);
  return group;
}

QWidget* COptionPanel::BuildScanGroup() {
  auto* group = new QGroupBox(QStringLiteral("扫描信息"), this);
  SetControlId(group, kScanGroup);
  auto* form = new QFormLayout(group);
  QComboBox* scanMode = NewList(group, kScanModeList);
  m_lists[static_cast<std::size_t>(OptionList::ScanMode)] = scanMode;
  form->addRow(NewLabel(group, kScanModeLabel, "扫描模式", scanMode), scanMode);
  QCheckBox* priorityScan = m_checks[static_cast<std::size_t>(OptionCheck::PriorityScan)];
  priorityScan->setParent(group);
  form->addRow(priorityScan);
  m_priority = NewList(group, kPriorityList);
  form->addRow(NewLabel(group, kPriorityLabel, "优先信道", m_priority), m_priority);
  connect(scanMode, &QComboBox::activated, this,
          [this](int index) { CommitOption(m_doc, OptionList::ScanMode, index); });
  connect(m_priority, &QComboBox::activated, this, [this](int index) { CommitPriorityChannel(m_doc, index); });
  return group;
}

// In the radio's order: the lists and check boxes interleaved as the radio's menu has them.
QWidget* COptionPanel::BuildOptionGroup() {
  auto* group = new QGroupBox(QStringLiteral("可选功能"), this);
  SetControlId(group, kOptionGroup);
  auto* form = new QFormLayout(group);
  auto addList = [&](const ListControl& control) {
    QComboBox* combo = NewList(group, control.controlId);
    m_lists[static_cast<std::size_t>(control.list)] = combo;
    form->addRow(NewLabel(group, control.labelId, control.builtInLabel, combo), combo);
    const OptionList list = control.list;
    connect(combo, &QComboBox::activated, this, [this, list](int index) { CommitOption(m_doc, list, index); });
  };
  auto addCheck = [&](OptionCheck check) {
    QCheckBox* box = m_checks[static_cast<std::size_t>(check)];
    box->setParent(group);
    form->addRow(box);
  };
  addList(kOptionControls[0]);  // squelch
  addList(kOptionControls[1]);  // VOX
  addList(kOptionControls[2]);  // transmit time limit
  addList(kOptionControls[3]);  // channel flag
  addCheck(OptionCheck::BusyLockout);
  addCheck(OptionCheck::KeyBeep);
  addList(kOptionControls[4]);  // channel display
  addCheck(OptionCheck::PowerSave);
  addList(kOptionControls[5]);  // back light
  return group;
}

void COptionPanel::Fill() {
  const OptionListState range = GetFrequencyRangeState(m_doc);
  FillCombo(m_range, range.items, range.nSelected);
  for (OptionList list : kOptionLists) {
    const OptionListState state = GetOptionListState(m_doc, list);
    FillCombo(OptionCombo(list), state.items, state.nSelected);
  }
  for (OptionCheck check : kOptionChecks) {
    const QSignalBlocker quiet(OptionBox(check));
    OptionBox(check)->setChecked(GetOptionCheck(m_doc, check));
  }
  if (auto* label = findChild<QLabel*>(QStringLiteral("programmedChannelsLabel"))) {
    label->setText(LangText("IDS_PROGRAMMED_CHANNELS"));
  }
  FillPriorityChannels();
}

void COptionPanel::FillPriorityChannels() {
  const PriorityChannelList list = FillPriorityChannelList(m_doc);
  FillCombo(m_priority, list.items, list.nSelected);
  m_channels->setText(QString::number(ProgrammedChannelCount(m_doc.Image())));
}

// Another range builds a new image, which clears the channels: only after the user agrees.
void COptionPanel::OnRangePicked(int index) {
  if (!IsFrequencyRangeChange(m_doc, index)) {
    SelectQuietly(m_range, GetFrequencyRangeIndex(m_doc));
    return;
  }
  const RangeQuestion question = GetFrequencyRangeQuestion();
  if (AskOkCancel(window(), Qt(question.strCaption), Qt(question.strText))) {
    CommitFrequencyRange(m_doc, index);  // every view is updated, this panel included
  } else {
    SelectQuietly(m_range, GetFrequencyRangeIndex(m_doc));
  }
}

}  // namespace qorrin::gui

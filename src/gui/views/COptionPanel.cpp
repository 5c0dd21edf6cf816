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

// The fields of each group in the order the radio's own menu has them.
constexpr OptionField kScanFields[] = {OptionField::ScanMode, OptionField::PriorityScan};
constexpr OptionField kOptionalFeatures[] = {
    OptionField::Squelch,     OptionField::VoxLevel, OptionField::TxTimeLimit,
    OptionField::ChannelFlag, OptionField::BusyLockout, OptionField::KeyBeep,
    OptionField::ChannelDisplay, OptionField::PowerSave, OptionField::BackLight};

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
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildModelGroup());
  layout->addWidget(BuildScanGroup());
  layout->addWidget(BuildOptionGroup());
  layout->addStretch(1);
}

QComboBox* COptionPanel::OptionCombo(OptionField field) const {
  return qobject_cast<QComboBox*>(m_fields[static_cast<std::size_t>(field)]);
}

QCheckBox* COptionPanel::OptionBox(OptionField field) const {
  return qobject_cast<QCheckBox*>(m_fields[static_cast<std::size_t>(field)]);
}

void COptionPanel::AddField(QFormLayout* form, QWidget* group, OptionField field) {
  const OptionFieldEntry& entry = EntryOf(field);
  if (entry.control == OptionControl::CheckBox) {
    auto* box = new QCheckBox(QString::fromUtf8(entry.builtInText), group);
    SetControlId(box, entry.controlId);
    connect(box, &QCheckBox::clicked, this, [this, field](bool on) { CommitOptionCheck(m_doc, field, on); });
    form->addRow(box);
    m_fields[static_cast<std::size_t>(field)] = box;
    return;
  }
  QComboBox* combo = NewList(group, entry.controlId);
  form->addRow(NewLabel(group, entry.labelId, entry.builtInText, combo), combo);
  connect(combo, &QComboBox::activated, this, [this, field](int index) { CommitOption(m_doc, field, index); });
  m_fields[static_cast<std::size_t>(field)] = combo;
}

QWidget* COptionPanel::BuildModelGroup() {
  auto* group = new QGroupBox(QStringLiteral("机型信息"), this);
  SetControlId(group, ctl::kModelGroup);
  auto* form = new QFormLayout(group);
  m_range = NewList(group, ctl::kRangeList);
  form->addRow(NewLabel(group, ctl::kRangeLabel, "频率范围", m_range), m_range);
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
  SetControlId(group, ctl::kScanGroup);
  auto* form = new QFormLayout(group);
  for (OptionField field : kScanFields) AddField(form, group, field);
  m_priority = NewList(group, ctl::kPriorityList);
  form->addRow(NewLabel(group, ctl::kPriorityLabel, "优先信道", m_priority), m_priority);
  connect(m_priority, &QComboBox::activated, this, [this](int index) { CommitPriorityChannel(m_doc, index); });
  return group;
}

QWidget* COptionPanel::BuildOptionGroup() {
  auto* group = new QGroupBox(QStringLiteral("可选功能"), this);
  SetControlId(group, ctl::kOptionGroup);
  auto* form = new QFormLayout(group);
  for (OptionField field : kOptionalFeatures) AddField(form, group, field);
  return group;
}

void COptionPanel::Fill() {
  const OptionListState range = GetFrequencyRangeState(m_doc);
  FillCombo(m_range, range.items, range.nSelected);
  for (const OptionFieldEntry& entry : kOptionFields) {
    if (QComboBox* combo = OptionCombo(entry.field)) {
      const OptionListState state = GetOptionListState(m_doc, entry.field);
      FillCombo(combo, state.items, state.nSelected);
    } else if (QCheckBox* box = OptionBox(entry.field)) {
      const QSignalBlocker quiet(box);
      box->setChecked(GetOptionCheck(m_doc, entry.field));
    }
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

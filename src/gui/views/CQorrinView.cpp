#include "gui/views/CQorrinView.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/model/CQorrinDoc.h"
#include "core/model/ModelInfo.h"
#include "gui/app/DocumentBinding.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"
#include "gui/views/ChannelTable.h"
#include "gui/grid/CGridCtrl.h"

namespace qorrin::gui {
namespace {

constexpr int kModelGroup = 1020;
constexpr int kRangeLabel = 1021;
constexpr int kRangeField = 1022;

// The frequency-range list's text of a model (empty past the end of the list).
QString RangeText(int index) {
  const std::vector<std::string> texts = LoadModelRangeTexts();
  return index >= 0 && index < static_cast<int>(texts.size()) ? Qt(texts[index]) : QString();
}

QLineEdit* ReadOnlyField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::StrongFocus);
  return field;
}

}  // namespace

CQorrinView::CQorrinView(DocumentBinding& binding, QWidget* parent) : QWidget(parent), m_binding(binding) {
  SetControlId(this, dlg::kMainForm);
  auto* group = new QGroupBox(QStringLiteral("机型信息"), this);
  SetControlId(group, kModelGroup);
  auto* form = new QFormLayout(group);

  auto* rangeLabel = new QLabel(QStringLiteral("频率范围"), group);
  SetControlId(rangeLabel, kRangeLabel);
  m_range = ReadOnlyField(group);
  SetControlId(m_range, kRangeField);
  rangeLabel->setBuddy(m_range);
  form->addRow(rangeLabel, m_range);

  m_channelsLabel = new QLabel(group);
  m_channels = ReadOnlyField(group);
  m_channelsLabel->setBuddy(m_channels);
  form->addRow(m_channelsLabel, m_channels);

  m_table = new ChannelTable(binding.Document(), this);
  connect(m_table, &ChannelTable::channelsChanged, this, [this] {
    m_channels->setText(QString::number(m_binding.Document().ProgrammedChannelCount()));
  });

  // The summary takes what it needs; the table gets the rest.
  group->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  for (QLineEdit* field : {m_range, m_channels}) {
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
  }
  auto* top = new QHBoxLayout;
  top->addWidget(group);
  top->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  // The table no wider than its columns; it may shrink (with a scroll bar) on a small screen.
  m_table->Grid()->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Expanding);
  layout->addWidget(m_table->Grid(), 1, Qt::AlignLeft);

  connect(&m_binding, &DocumentBinding::documentChanged, this, &CQorrinView::OnUpdate);
}

void CQorrinView::OnUpdate() {
  if (QWidget* frame = window(); frame && frame != this) frame->setWindowTitle(LangText("IDS_WINDOWNAME"));
  m_channelsLabel->setText(LangText("IDS_PROGRAMMED_CHANNELS"));
  LocalizeDialog(this, dlg::kMainForm);
  const CQorrinDoc& doc = m_binding.Document();
  m_range->setText(RangeText(doc.FindModelIndex()));
  m_channels->setText(QString::number(doc.ProgrammedChannelCount()));
  m_table->Build();
}

void CQorrinView::CommitOpenEditor() { m_table->CommitOpenEditor(); }

}  // namespace qorrin::gui

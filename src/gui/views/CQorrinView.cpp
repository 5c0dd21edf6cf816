#include "gui/views/CQorrinView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/model/CQorrinDoc.h"
#include "core/model/RadioImageLayout.h"
#include "gui/app/DocumentBinding.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"
#include "gui/views/COptionPanel.h"
#include "gui/views/CVfoPanel.h"
#include "gui/views/ChannelCommands.h"
#include "gui/views/ChannelTable.h"

namespace qorrin::gui {

CQorrinView::CQorrinView(DocumentBinding& binding, QWidget* parent) : QWidget(parent), m_binding(binding) {
  SetControlId(this, dlg::kMainForm);
  CQorrinDoc& doc = binding.Document();
  m_options = new COptionPanel(doc, this);
  m_vfoA = new CVfoPanel(doc, kVfoARecord, ctl::kVfoA, this);
  m_vfoB = new CVfoPanel(doc, kVfoBRecord, ctl::kVfoB, this);
  m_table = new ChannelTable(binding, this);
  m_commands = new ChannelCommands(doc, *m_table, this);
  connect(m_table, &ChannelTable::channelsChanged, m_options, &COptionPanel::FillPriorityChannels);

  auto* vfos = new QHBoxLayout;
  vfos->addWidget(m_vfoA);
  vfos->addWidget(m_vfoB);
  vfos->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addLayout(vfos);
  // The table no wider than its columns; it may shrink (with a scroll bar) on a small screen.
  m_table->Grid()->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Expanding);
  right->addWidget(m_table->Grid(), 1, Qt::AlignLeft);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(m_options);
  layout->addLayout(right, 1);

  // The tab order follows the reading order: options, VFO A, VFO B, the table.
  setTabOrder(m_vfoB->StepList(), m_table->Grid());

  connect(&m_binding, &DocumentBinding::documentChanged, this, &CQorrinView::OnUpdate);
}

void CQorrinView::OnUpdate() {
  if (QWidget* frame = window(); frame && frame != this) frame->setWindowTitle(LangText("IDS_WINDOWNAME"));
  LocalizeDialog(this, dlg::kMainForm);
  m_options->Fill();
  m_vfoA->Fill();
  m_vfoB->Fill();
  m_table->Build();
}

void CQorrinView::CommitOpenEditor() {
  m_table->Grid()->EndEdit(true);
  m_vfoA->CommitFocusedEdit();
  m_vfoB->CommitFocusedEdit();
}

}  // namespace qorrin::gui

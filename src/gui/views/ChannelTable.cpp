#include "gui/views/ChannelTable.h"

#include "core/edit/ChannelTableLayout.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"
#include "gui/views/ChannelCellDelegate.h"
#include "gui/views/ChannelTableModel.h"

namespace qorrin::gui {

ChannelTable::ChannelTable(DocumentBinding& binding, QWidget* parent) : QObject(parent) {
  m_model = new ChannelTableModel(binding, this);
  m_grid = new CGridCtrl(parent);
  m_grid->setModel(m_model);
  m_grid->setItemDelegate(new ChannelCellDelegate(m_grid));
  SetControlId(m_grid, ctl::kChannelGrid);
  for (int column = 0; column < kChannelTableColumns; ++column) {
    m_grid->SetColumnWidth(column, kChannelColumnWidths[static_cast<std::size_t>(column)]);
  }
  m_grid->SetFixedRowHeight(kChannelHeaderRowHeight);
  m_grid->SetRowHeight(kChannelRowHeight);
  connect(m_model, &ChannelTableModel::channelsChanged, this, &ChannelTable::channelsChanged);
}

void ChannelTable::Build() {
  m_grid->EndEdit(false);
  m_model->Reload();
  // Screen readers announce the table by its name.
  m_grid->setAccessibleName(LangText("IDS_CHANNEL_TABLE"));
}

}  // namespace qorrin::gui

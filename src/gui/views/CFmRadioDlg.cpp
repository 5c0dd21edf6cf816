#include "gui/views/CFmRadioDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "core/edit/FmPresets.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/DocumentBinding.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/DialogButtons.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/views/ComboFill.h"
#include "gui/views/FmPresetDelegate.h"
#include "gui/views/FmPresetsModel.h"

namespace qorrin::gui {

CFmRadioDlg::CFmRadioDlg(CQorrinDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
  SetControlId(this, dlg::kFmRadio);
  setWindowTitle(QStringLiteral("收音机频率"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* label = new QLabel(QStringLiteral("收音机频率"), this);
  SetControlId(label, ctl::kFmCurrentLabel);
  m_comboCurrent = new QComboBox(this);
  SetControlId(m_comboCurrent, ctl::kFmCurrentList);
  m_comboCurrent->setMaxVisibleItems(16);
  label->setBuddy(m_comboCurrent);

  // The dialog's own tie to the document: the presets model follows it while it is open.
  auto* binding = new DocumentBinding(m_doc, this);
  m_model = new FmPresetsModel(*binding, this);
  m_grid = new CGridCtrl(this);
  m_grid->setModel(m_model);
  m_grid->setItemDelegate(new FmPresetDelegate(m_grid));
  SetControlId(m_grid, ctl::kFmGrid);

  const DialogButtons buttons = MakeOkCancel(this);
  connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons.box, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* current = new QHBoxLayout;
  current->addWidget(label);
  current->addWidget(m_comboCurrent, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(current);
  layout->addWidget(m_grid, 1);
  layout->addWidget(buttons.box);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  LocalizeDialog(this, dlg::kFmRadio);
  SetupGrid();
  FillCombo(m_comboCurrent, GetFmFrequencyItems(), GetFmCurrentIndex(m_doc));

  connect(m_comboCurrent, &QComboBox::activated, this, [this](int index) { CommitFmCurrent(m_doc, index); });
  m_comboCurrent->setFocus();
}

void CFmRadioDlg::SetupGrid() {
  for (int column = 0; column < kFmGridColumns; ++column) {
    m_grid->SetColumnWidth(column, kFmColumnWidths[static_cast<std::size_t>(column)]);
  }
  m_grid->SetFixedRowHeight(kFmHeaderRowHeight);
  m_grid->SetRowHeight(kFmRowHeight);
  // All fifteen presets in view: the grid is exactly as high as its rows.
  int height = 2 * m_grid->frameWidth();
  for (int row = 0; row < kFmGridRows; ++row) height += m_grid->GetRowHeight(row);
  m_grid->setFixedHeight(height);
  m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  // The frequency column keeps its width unless the language's title needs more.
  const QString title = m_grid->GetCellText(0, 1);
  const QFontMetrics metrics = m_grid->horizontalHeader()->fontMetrics();
  const int titleWidth = metrics.horizontalAdvance(title) + 2 * metrics.horizontalAdvance(QLatin1Char(' '));
  m_grid->SetColumnWidth(1, std::max(kFmColumnWidths[1], titleWidth));
  m_grid->setFixedWidth(2 * m_grid->frameWidth() + m_grid->GetColumnWidth(0) + m_grid->GetColumnWidth(1));
  m_grid->setAccessibleName(title);
}

}  // namespace qorrin::gui

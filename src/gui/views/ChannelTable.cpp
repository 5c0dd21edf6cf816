#include "gui/views/ChannelTable.h"

#include "core/edit/ChannelCellLists.h"
#include "core/edit/ChannelTableLayout.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"
#include "gui/views/CCellCombo.h"
#include "gui/views/CellLineEdit.h"
#include "gui/views/ChannelTableModel.h"

namespace qorrin::gui {
namespace {

void Fill(CCellCombo* combo, const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.append(Qt(item));
  combo->clear();
  combo->addItems(list);
}

}  // namespace

ChannelTable::ChannelTable(DocumentBinding& binding, QWidget* parent) : QObject(parent) {
  m_model = new ChannelTableModel(binding, this);
  m_grid = new CGridCtrl(parent);
  m_grid->setModel(m_model);
  SetControlId(m_grid, ctl::kChannelGrid);
  SetupGrid();
  QWidget* cells = m_grid->viewport();
  m_frequencyEdit = new CCellEdit(cells);
  m_rxToneCombo = new CCellCombo(cells);
  m_txToneCombo = new CCellCombo(cells);
  m_listCombo = new CCellCombo(cells);
  m_nameEdit = new CNameCellEdit(cells);
  SetControlId(m_frequencyEdit, ctl::kFrequencyEditor);
  SetControlId(m_listCombo, ctl::kListEditor);
  SetControlId(m_rxToneCombo, ctl::kRxToneEditor);
  SetControlId(m_nameEdit, ctl::kNameEditor);
  SetControlId(m_txToneCombo, ctl::kTxToneEditor);
  // Enter and Escape hand the focus back to the table, so the keyboard carries on there.
  m_frequencyEdit->SetOwner(m_grid);
  m_rxToneCombo->SetOwner(m_grid);
  m_txToneCombo->SetOwner(m_grid);
  m_listCombo->SetOwner(m_grid);
  m_nameEdit->SetOwner(m_grid);

  connect(m_grid, &CGridCtrl::beginEdit, this, &ChannelTable::OnBeginEdit);
  connect(m_frequencyEdit, &CellLineEdit::focusLost, this, &ChannelTable::CommitFrequency);
  connect(m_nameEdit, &CellLineEdit::focusLost, this, &ChannelTable::CommitName);
  connect(m_rxToneCombo, &CCellCombo::focusLost, this, [this] { CommitTone(m_rxToneCombo); });
  connect(m_txToneCombo, &CCellCombo::focusLost, this, [this] { CommitTone(m_txToneCombo); });
  // Picking a tone closes the editor: giving up the focus stores the pick.
  for (CCellCombo* tone : {m_rxToneCombo, m_txToneCombo}) {
    connect(tone, &QComboBox::activated, this, [this] { m_grid->setFocus(Qt::OtherFocusReason); });
  }
  // Bandwidth and power store every pick from the open list and stay open; Escape stores
  // the opening item; a choice made with the keys is stored when the editor is left.
  connect(m_listCombo, &QComboBox::activated, this, [this](int index) {
    if (m_listCombo->IsOpen()) Store(index);
  });
  connect(m_listCombo, &CCellCombo::restored, this, [this] {
    if (m_listCombo->IsOpen()) Store(m_listCombo->currentIndex());
  });
  connect(m_listCombo, &CCellCombo::focusLost, this, &ChannelTable::CloseList);
}

void ChannelTable::SetupGrid() {
  for (int column = 0; column < kChannelTableColumns; ++column) {
    m_grid->SetColumnWidth(column, kChannelColumnWidths[static_cast<std::size_t>(column)]);
  }
  m_grid->SetFixedRowHeight(kChannelHeaderRowHeight);
  m_grid->SetRowHeight(kChannelRowHeight);
}

void ChannelTable::Build() {
  HideEditors();
  m_model->Reload();
  UpdateNames();
  FillToneLists();
}

// The tone list carries the language's "off" text: filled again only when it changed.
void ChannelTable::FillToneLists() {
  std::vector<std::string> items = GetToneListItems();
  if (items == m_toneItems) return;
  m_toneItems = std::move(items);
  Fill(m_rxToneCombo, m_toneItems);
  Fill(m_txToneCombo, m_toneItems);
}

QString ChannelTable::Heading(int column) const {
  return m_grid->GetCellText(0, column);
}

// Screen readers announce the table by its name and each editor by its column's heading.
void ChannelTable::UpdateNames() {
  m_grid->setAccessibleName(LangText("IDS_CHANNEL_TABLE"));
  m_frequencyEdit->setAccessibleName(Heading(kColRxFrequency));
  m_listCombo->setAccessibleName(Heading(kColBandwidth));
  m_rxToneCombo->setAccessibleName(Heading(kColRxTone));
  m_txToneCombo->setAccessibleName(Heading(kColTxTone));
  m_nameEdit->setAccessibleName(Heading(kColName));
}

void ChannelTable::HideEditors() {
  m_frequencyEdit->HideEditor();
  m_rxToneCombo->HideEditor();
  m_txToneCombo->HideEditor();
  m_listCombo->HideEditor();
  m_nameEdit->HideEditor();
  m_grid->SetCellEditor(nullptr);
}

void ChannelTable::OnBeginEdit(int row, int column, const QString& text, const QRect& rect) {
  QWidget* editor = nullptr;
  switch (column) {
    case kColRxFrequency:
    case kColTxFrequency:
      m_frequencyEdit->setAccessibleName(Heading(column));
      m_frequencyEdit->ShowOver(rect, text);
      editor = m_frequencyEdit;
      break;
    case kColRxTone:
      m_rxToneCombo->ShowOver(rect, text);
      editor = m_rxToneCombo;
      break;
    case kColTxTone:
      m_txToneCombo->ShowOver(rect, text);
      editor = m_txToneCombo;
      break;
    case kColBandwidth:
    case kColPower:
      Fill(m_listCombo, GetChannelCellItems(column));
      m_listCombo->setAccessibleName(Heading(column));
      m_listCombo->ShowOver(rect, text);
      editor = m_listCombo;
      break;
    case kColName:
      m_nameEdit->ShowOver(rect, text);
      editor = m_nameEdit;
      break;
    default:
      return;
  }
  m_editRow = row;
  m_editColumn = column;
  m_grid->SetCellEditor(editor, row, column);
}

void ChannelTable::Store(const QVariant& value) {
  m_model->setData(m_model->CellIndex(m_editRow, m_editColumn), value);
}

void ChannelTable::CommitFrequency() {
  if (!m_frequencyEdit->IsOpen()) return;
  Store(m_frequencyEdit->text());
  m_frequencyEdit->HideEditor();
  m_grid->SetCellEditor(nullptr);
  Q_EMIT channelsChanged();
}

void ChannelTable::CommitTone(CCellCombo* editor) {
  if (!editor->IsOpen()) return;
  Store(editor->currentIndex());
  editor->HideEditor();
  m_grid->SetCellEditor(nullptr);
}

void ChannelTable::CloseList() {
  if (!m_listCombo->IsOpen()) return;
  if (m_listCombo->HasPendingChoice()) Store(m_listCombo->currentIndex());
  m_listCombo->HideEditor();
  m_grid->SetCellEditor(nullptr);
}

void ChannelTable::CommitName() {
  if (!m_nameEdit->IsOpen()) return;
  Store(m_nameEdit->text());
  m_nameEdit->HideEditor();
  m_grid->SetCellEditor(nullptr);
}

void ChannelTable::CommitOpenEditor() {
  if (m_frequencyEdit->IsOpen()) CommitFrequency();
  if (m_rxToneCombo->IsOpen()) CommitTone(m_rxToneCombo);
  if (m_txToneCombo->IsOpen()) CommitTone(m_txToneCombo);
  if (m_listCombo->IsOpen()) CloseList();
  if (m_nameEdit->IsOpen()) CommitName();
}

}  // namespace qorrin::gui

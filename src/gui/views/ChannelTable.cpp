#include "gui/views/ChannelTable.h"

#include "core/edit/ChannelCellLists.h"
#include "core/edit/ChannelTableLayout.h"
#include "core/model/CQorrinDoc.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"
#include "gui/views/CCellCombo.h"
#include "gui/views/CellLineEdit.h"

namespace qorrin::gui {
namespace {

constexpr int kGridId = 1016;
constexpr int kFrequencyEditId = 1017;
constexpr int kListComboId = 1018;
constexpr int kRxToneComboId = 1019;
constexpr int kNameEditId = 1023;
constexpr int kTxToneComboId = 1024;

QStringList ToQt(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.append(Qt(item));
  return list;
}

void Fill(CCellCombo* combo, const std::vector<std::string>& items) {
  combo->clear();
  combo->addItems(ToQt(items));
}

}  // namespace

ChannelTable::ChannelTable(CQorrinDoc& doc, QWidget* parent) : QObject(parent), m_doc(doc) {
  m_grid = new CGridCtrl(parent);
  SetControlId(m_grid, kGridId);
  QWidget* cells = m_grid->viewport();
  m_frequencyEdit = new CCellEdit(cells);
  m_rxToneCombo = new CCellCombo(cells);
  m_txToneCombo = new CCellCombo(cells);
  m_listCombo = new CCellCombo(cells);
  m_nameEdit = new CNameCellEdit(cells);
  SetControlId(m_frequencyEdit, kFrequencyEditId);
  SetControlId(m_listCombo, kListComboId);
  SetControlId(m_rxToneCombo, kRxToneComboId);
  SetControlId(m_nameEdit, kNameEditId);
  SetControlId(m_txToneCombo, kTxToneComboId);
  // Enter and Escape hand the focus back to the table, so the keyboard carries on there.
  m_frequencyEdit->SetOwner(m_grid);
  m_rxToneCombo->SetOwner(m_grid);
  m_txToneCombo->SetOwner(m_grid);
  m_listCombo->SetOwner(m_grid);
  m_nameEdit->SetOwner(m_grid);

  connect(m_grid, &CGridCtrl::beginEdit, this, &ChannelTable::OnBeginEdit);
  connect(m_frequencyEdit, &CellLineEdit::focusLost, this, &ChannelTable::CommitFrequency);
  connect(m_nameEdit, &CellLineEdit::focusLost, this, &ChannelTable::CommitName);
  connect(m_rxToneCombo, &CCellCombo::focusLost, this, [this] { CommitTone(m_rxToneCombo, kColRxTone); });
  connect(m_txToneCombo, &CCellCombo::focusLost, this, [this] { CommitTone(m_txToneCombo, kColTxTone); });
  // Picking a tone closes the editor: giving up the focus stores the pick.
  for (CCellCombo* tone : {m_rxToneCombo, m_txToneCombo}) {
    connect(tone, &QComboBox::activated, this, [this] { m_grid->setFocus(Qt::OtherFocusReason); });
  }
  // Bandwidth and power store every pick from the open list and stay open; Escape stores
  // the opening item; a choice made with the keys is stored when the editor is left.
  connect(m_listCombo, &QComboBox::activated, this, &ChannelTable::CommitList);
  connect(m_listCombo, &CCellCombo::restored, this, [this] { CommitList(m_listCombo->currentIndex()); });
  connect(m_listCombo, &CCellCombo::focusLost, this, &ChannelTable::CloseList);
}

void ChannelTable::SetupGrid() {
  m_grid->SetRows(kChannelTableRows);
  m_grid->SetColumns(kChannelTableColumns);
  m_grid->SetFixedRows(1);
  m_grid->SetFixedColumns(1);
  for (int column = 0; column < kChannelTableColumns; ++column) {
    m_grid->SetColumnWidth(column, kChannelColumnWidths[static_cast<std::size_t>(column)]);
  }
  m_grid->SetRowHeight(0, kChannelHeaderRowHeight);
  for (int row = 1; row < kChannelTableRows; ++row) m_grid->SetRowHeight(row, kChannelRowHeight);
}

void ChannelTable::Build() {
  HideEditors();
  m_grid->SetExternalEditor(false);
  if (m_grid->GetRowCount() != kChannelTableRows) SetupGrid();
  m_grid->EnableDrawing(false);
  const std::array<std::string, kChannelTableColumns> headings = LoadChannelHeadings();
  for (int column = 0; column < kChannelTableColumns; ++column) {
    m_grid->SetCellText(0, column, Qt(headings[static_cast<std::size_t>(column)]));
  }
  UpdateNames(headings);
  FillToneLists();
  for (const ChannelRow& row : BuildChannelTable(m_doc)) ShowRow(row);
  m_grid->EnableDrawing(true);
}

// The tone list carries the language's "off" text: filled again only when it changed.
void ChannelTable::FillToneLists() {
  std::vector<std::string> items = GetToneListItems();
  if (items == m_toneItems) return;
  m_toneItems = std::move(items);
  Fill(m_rxToneCombo, m_toneItems);
  Fill(m_txToneCombo, m_toneItems);
}

// Screen readers announce the table by its name and each editor by its column's heading.
void ChannelTable::UpdateNames(const std::array<std::string, kChannelTableColumns>& headings) {
  m_grid->setAccessibleName(LangText("IDS_CHANNEL_TABLE"));
  for (int column = 0; column < kChannelTableColumns; ++column) {
    m_headings[static_cast<std::size_t>(column)] = Qt(headings[static_cast<std::size_t>(column)]);
  }
  m_frequencyEdit->setAccessibleName(m_headings[kColRxFrequency]);
  m_listCombo->setAccessibleName(m_headings[kColBandwidth]);
  m_rxToneCombo->setAccessibleName(m_headings[kColRxTone]);
  m_txToneCombo->setAccessibleName(m_headings[kColTxTone]);
  m_nameEdit->setAccessibleName(m_headings[kColName]);
}

void ChannelTable::ShowRow(const ChannelRow& row) {
  if (row.nRow < 1 || row.nRow >= kChannelTableRows) return;
  const QColor buttonFace = m_grid->palette().color(QPalette::Button);
  for (int column = 0; column < kChannelTableColumns; ++column) {
    m_grid->SetCellText(row.nRow, column, Qt(row.Text(column)));
    if (column == kColChannel) continue;
    m_grid->SetCellReadOnly(row.nRow, column, !row.IsEditable(column));
    m_grid->SetCellBackColour(row.nRow, column,
                              column == kColName && row.bNameButtonFace ? buttonFace : QColor());
  }
}

void ChannelTable::HideEditors() {
  m_frequencyEdit->HideEditor();
  m_rxToneCombo->HideEditor();
  m_txToneCombo->HideEditor();
  m_listCombo->HideEditor();
  m_nameEdit->HideEditor();
}

void ChannelTable::OnBeginEdit(int row, int column, const QString& text, const QRect& rect) {
  m_editRow = row;
  m_editColumn = column;
  m_grid->SetExternalEditor(true);
  switch (column) {
    case kColRxFrequency:
    case kColTxFrequency:
      m_frequencyEdit->setAccessibleName(m_headings[static_cast<std::size_t>(column)]);
      m_frequencyEdit->ShowOver(rect, text);
      break;
    case kColRxTone: m_rxToneCombo->ShowOver(rect, text); break;
    case kColTxTone: m_txToneCombo->ShowOver(rect, text); break;
    case kColBandwidth:
    case kColPower:
      Fill(m_listCombo, GetChannelCellItems(column));
      m_listCombo->setAccessibleName(m_headings[static_cast<std::size_t>(column)]);
      m_listCombo->ShowOver(rect, text);
      break;
    case kColName: m_nameEdit->ShowOver(rect, text); break;
    default: m_grid->SetExternalEditor(false); break;
  }
}

void ChannelTable::CommitFrequency() {
  if (!m_frequencyEdit->IsOpen()) return;
  m_grid->SetExternalEditor(false);
  const ChannelCommitResult result = CommitChannelText(m_doc, m_editRow, m_editColumn, Std(m_frequencyEdit->text()));
  m_frequencyEdit->HideEditor();
  AfterCommit(result);
  Q_EMIT channelsChanged();
}

void ChannelTable::CommitTone(CCellCombo* editor, int column) {
  if (!editor->IsOpen()) return;
  m_grid->SetExternalEditor(false);
  const ChannelCommitResult result = CommitChannelChoice(m_doc, m_editRow, column, editor->currentIndex());
  editor->HideEditor();
  AfterCommit(result);
}

void ChannelTable::CommitList(int index) {
  if (!m_listCombo->IsOpen()) return;
  AfterCommit(CommitChannelChoice(m_doc, m_editRow, m_editColumn, index));
}

void ChannelTable::CloseList() {
  if (!m_listCombo->IsOpen()) return;
  if (m_listCombo->HasPendingChoice()) CommitList(m_listCombo->currentIndex());
  m_grid->SetExternalEditor(false);
  m_listCombo->HideEditor();
}

void ChannelTable::CommitName() {
  if (!m_nameEdit->IsOpen()) return;
  m_grid->SetExternalEditor(false);
  const ChannelCommitResult result = qorrin::CommitName(m_doc, m_editRow, Std(m_nameEdit->text()));
  m_nameEdit->HideEditor();
  AfterCommit(result);
}

void ChannelTable::AfterCommit(const ChannelCommitResult& result) {
  if (result.bStored) ShowRow(result.row);
}

void ChannelTable::CommitOpenEditor() {
  if (m_frequencyEdit->IsOpen()) CommitFrequency();
  if (m_rxToneCombo->IsOpen()) CommitTone(m_rxToneCombo, kColRxTone);
  if (m_txToneCombo->IsOpen()) CommitTone(m_txToneCombo, kColTxTone);
  if (m_listCombo->IsOpen()) CloseList();
  if (m_nameEdit->IsOpen()) CommitName();
}

}  // namespace qorrin::gui

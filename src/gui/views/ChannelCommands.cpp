#include "gui/views/ChannelCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/edit/BulkEdit.h"
#include "core/edit/ChannelCommandAvailability.h"
#include "core/edit/ChannelOperations.h"
#include "core/interchange/ChannelListWriter.h"
#include "core/interchange/ChannelPaste.h"
#include "core/interchange/ImportReport.h"
#include "core/interchange/ImportTexts.h"
#include "core/lang/LangText.h"
#include "core/lang/LanguageKeys.h"
#include "core/lang/ShellTexts.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/GuiPrompts.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/DialogButtons.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"
#include "gui/views/BulkEditDlg.h"
#include "gui/views/ChannelTable.h"
#include "gui/views/ChannelTableKeys.h"

namespace qorrin::gui {
namespace {

constexpr char kCsvMimeType[] = "text/csv";

// The commands of the row headings' context menu, in order; 0 a separator.
constexpr int kRowMenu[] = {cmd::kEditCut,        cmd::kEditCopy,          cmd::kEditPaste,    0,
                            cmd::kEditSetSelected, 0,                       cmd::kEditInsertChannel,
                            cmd::kEditDeleteChannel, cmd::kEditMoveUp,      cmd::kEditMoveDown,
                            cmd::kEditClearChannels, 0,                     cmd::kEditSortFrequency,
                            cmd::kEditSortName};

QString MenuText(int command) {
  for (const MenuItemKey& item : MenuItemKeys()) {
    if (item.command == command) return LangText(item.key);
  }
  return {};
}

// The import's texts, with the summary speaking of a paste.
ImportTexts PasteTexts() {
  ImportTexts texts = LoadImportTexts();
  texts.strSummaryOne = LoadLangStringOr("IDS_PASTE_SUMMARY_ONE", "1 row pasted into channel %2");
  texts.strSummaryMany = LoadLangStringOr("IDS_PASTE_SUMMARY_MANY", "%1 rows pasted into channels %2");
  return texts;
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << Qt(line);
  return list.join(QLatin1Char('\n'));
}

}  // namespace

ChannelCommands::ChannelCommands(CQorrinDoc& doc, ChannelTable& table, QWidget* window)
    : QObject(window), m_doc(doc), m_table(table), m_window(window) {
  connect(m_table.Grid(), &CGridCtrl::rowMenuRequested, this, &ChannelCommands::ShowRowMenu);
  InstallChannelTableKeys(
      m_table.Grid(), [this] { Q_EMIT commandRequested(cmd::kEditClearChannels); },
      [this](const QPoint& global) { ShowRowMenu(global); });
}

bool ChannelCommands::Execute(int command) {
  switch (command) {
    case cmd::kEditCopy: Copy(); return true;
    case cmd::kEditCut: Cut(); return true;
    case cmd::kEditPaste: Paste(); return true;
    case cmd::kEditSelectAll: SelectAll(); return true;
    case cmd::kEditSetSelected: SetForSelected(); return true;
    case cmd::kEditInsertChannel: InsertChannel(); return true;
    case cmd::kEditDeleteChannel: DeleteChannel(); return true;
    case cmd::kEditMoveUp: Move(true); return true;
    case cmd::kEditMoveDown: Move(false); return true;
    case cmd::kEditClearChannels: Clear(); return true;
    case cmd::kEditSortFrequency: Sort(false); return true;
    case cmd::kEditSortName: Sort(true); return true;
    case cmd::kEditGoTo: GoTo(); return true;
    default: return false;
  }
}

std::vector<int> ChannelCommands::TargetRows() const {
  return ChannelCommandRows(m_table.Grid()->SelectedRows(), TableHasFocus() ? m_table.Grid()->FocusRow() : 0);
}

bool ChannelCommands::TableHasFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == m_table.Grid() || m_table.Grid()->isAncestorOf(focus));
}

bool ChannelCommands::CanExecute(int command) const {
  const CGridCtrl* grid = m_table.Grid();
  const ChannelCommandAvailability can =
      GetChannelCommandAvailability(m_doc.Image(), grid->SelectedRows(), TableHasFocus() ? grid->FocusRow() : 0);
  switch (command) {
    case cmd::kEditCopy:
    case cmd::kEditCut: return can.bCopy;
    case cmd::kEditSetSelected: return can.bSetSelected;
    case cmd::kEditInsertChannel: return can.bInsert;
    case cmd::kEditDeleteChannel: return can.bDelete;
    case cmd::kEditMoveUp: return can.bMoveUp;
    case cmd::kEditMoveDown: return can.bMoveDown;
    case cmd::kEditClearChannels: return can.bClear;
    case cmd::kEditSortFrequency:
    case cmd::kEditSortName: return can.bSort;
    default: return true;  // paste, select all, go to: always
  }
}

// The whole window shows the document again; the rows acted on stay selected, shown as
// far as the view holds them (the first of them at least).
void ChannelCommands::AfterChange(const std::vector<int>& select) {
  m_doc.UpdateAllViews();
  CGridCtrl* grid = m_table.Grid();
  grid->SelectRows(select);
  if (!select.empty()) {
    grid->SetFocusCell(select.front(), std::max(grid->FocusColumn(), 1));
    grid->ScrollIntoView(select.back(), grid->FocusColumn());
    grid->ScrollIntoView(select.front(), grid->FocusColumn());
  }
}

// The channels as tab-separated text with the header row (what a spreadsheet takes) and
// as CSV.
void ChannelCommands::Copy() {
  const std::vector<int> rows = TargetRows();
  if (rows.empty()) return;
  auto* data = new QMimeData;
  data->setText(Qt(WriteChannelList(m_doc.Image(), m_doc.GetBandLimits(), rows, kTabListFormat)));
  data->setData(kCsvMimeType, QByteArray::fromStdString(WriteChannelList(m_doc.Image(), m_doc.GetBandLimits(), rows)));
  QApplication::clipboard()->setMimeData(data);
}

void ChannelCommands::Cut() {
  const std::vector<int> rows = TargetRows();
  if (rows.empty()) return;
  Copy();
  {
    const ChangeScope scope(m_doc, {"IDS_UNDO_CUT", CountProgrammedChannels(m_doc.Image(), rows)});
    ClearChannels(m_doc, rows);
  }
  AfterChange(rows);
}

void ChannelCommands::Paste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QString text = data ? data->text() : QString();
  if (text.isEmpty() && data && data->hasFormat(kCsvMimeType)) text = QString::fromUtf8(data->data(kCsvMimeType));
  const int first = std::max(m_table.Grid()->FocusRow(), 1);
  const PastePlan paste = PlanPaste(m_doc, Std(text), first);
  if (!paste.ok()) {
    ShowWarningBox(m_window, LangText("IDS_PASTE_TITLE"), LangText("IDS_PASTE_EMPTY"));
    return;
  }
  if (paste.nBeyondLast > 0) {
    QString question = LangText("IDS_PASTE_BEYOND");
    question.replace(QStringLiteral("%d"), QString::number(paste.nBeyondLast));
    if (!AskOkCancel(m_window, LangText("IDS_PASTE_TITLE"), question)) return;
  }
  if (!paste.overwritten.empty()) {
    QString question = Qt(LoadCountText("IDS_PASTE_OVERWRITE", static_cast<int>(paste.overwritten.size())));
    question.replace(QStringLiteral("%s"), Qt(ChannelRunsText(paste.overwritten)));
    if (!AskOkCancel(m_window, LangText("IDS_PASTE_TITLE"), question)) return;
  }
  if (paste.plan.ImportedCount() > 0) ApplyPaste(m_doc, paste);
  AfterChange(paste.plan.ImportedChannels());
  // One line for every paste; what did not go in as it was written is told in full.
  const ImportTexts texts = PasteTexts();
  const QString summary = Qt(ImportSummary(paste.plan, texts));
  ShowStatus(summary);
  // Rows past channel 99 were agreed to already.
  if (paste.plan.RefusedCount() > paste.nBeyondLast || paste.plan.ChangedCount() > 0) {
    std::vector<std::string> lines = ImportReportLines(paste.plan, texts);
    const std::vector<std::string> assumed = ImportAssumptionLines(paste.plan, texts);
    lines.insert(lines.end(), assumed.begin(), assumed.end());
    ShowWarningBox(m_window, LangText("IDS_PASTE_TITLE"), Joined(lines) + QLatin1Char('\n') + summary);
  }
}

void ChannelCommands::ShowStatus(const QString& text) {
  if (auto* window = qobject_cast<QMainWindow*>(m_window->window())) window->statusBar()->showMessage(text);
}

void ChannelCommands::SelectAll() { m_table.Grid()->SelectAllRows(); }

void ChannelCommands::SetForSelected() {
  const std::vector<int> rows = TargetRows();
  const int programmed = CountProgrammedChannels(m_doc.Image(), rows);
  if (programmed == 0) return;  // empty channels take no field
  BulkEditDlg dialog(programmed, m_window);
  if (dialog.exec() != QDialog::Accepted || dialog.Change().empty()) return;
  const BulkResult done = ApplyBulkChange(m_doc, rows, dialog.Change());
  AfterChange(rows);
  if (done.receiveOnlyKept > 0) {
    QString text = LangText("IDS_BULK_RECEIVE_ONLY");
    text.replace(QStringLiteral("%d"), QString::number(done.receiveOnlyKept));
    ShowWarningBox(m_window, LangText("IDS_BULK_TITLE"), text);
  }
}

void ChannelCommands::InsertChannel() {
  const std::vector<int> rows = TargetRows();
  if (rows.empty()) return;
  const OperationResult done = qorrin::InsertChannel(m_doc, rows.front());
  if (done.refusal == OperationRefusal::LastChannelProgrammed) {
    ShowWarningBox(m_window, PlainText(MenuText(cmd::kEditInsertChannel).section(QLatin1Char('\t'), 0, 0)),
                   LangText("IDS_INSERT_REFUSED"));
    return;
  }
  if (done.ok()) AfterChange(done.rows);
}

void ChannelCommands::DeleteChannel() {
  const OperationResult done = DeleteChannels(m_doc, TargetRows());
  if (done.ok()) AfterChange(done.rows);
}

void ChannelCommands::Move(bool up) {
  const OperationResult done = MoveChannels(m_doc, TargetRows(), up);
  if (done.ok()) AfterChange(done.rows);
}

void ChannelCommands::Clear() {
  const OperationResult done = ClearChannels(m_doc, TargetRows());
  if (done.ok()) AfterChange(done.rows);
}

// The selected channels (several of them), else all.
void ChannelCommands::Sort(bool byName) {
  std::vector<int> rows = m_table.Grid()->SelectedRows();
  if (rows.size() < 2) rows.clear();
  const OperationResult done = SortChannels(m_doc, rows, byName ? SortKey::Name : SortKey::ReceiveFrequency);
  if (done.ok()) AfterChange(rows);
}

void ChannelCommands::GoTo() {
  QDialog dialog(m_window);
  dialog.setWindowTitle(LangText("IDS_GOTO_TITLE"));
  dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* channel = new QSpinBox(&dialog);
  channel->setRange(kFirstChannel, kLastChannel);
  channel->setValue(std::max(m_table.Grid()->FocusRow(), 1));
  auto* label = new QLabel(LangText("IDS_GOTO_LABEL"), &dialog);
  label->setBuddy(channel);
  channel->setAccessibleName(label->text());
  auto* form = new QFormLayout;
  form->addRow(label, channel);
  const DialogButtons buttons = MakeOkCancel(&dialog);
  connect(buttons.box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons.box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  layout->addWidget(buttons.box);
  LocalizeDialog(&dialog, 0);
  channel->selectAll();
  if (dialog.exec() != QDialog::Accepted) return;
  CGridCtrl* grid = m_table.Grid();
  grid->setFocus();
  grid->ClearRowSelection();  // the commands act on the channel gone to
  grid->SetFocusCell(channel->value(), std::max(grid->FocusColumn(), 1));
  // The channel at the top, the ones after it below it (a block just pasted there shows).
  grid->scrollTo(grid->currentIndex(), QAbstractItemView::PositionAtTop);
}

void ChannelCommands::ShowRowMenu(const QPoint& global) {
  QMenu menu(m_window);
  menu.setAccessibleName(PlainText(LangText("Menu_Edit")));
  for (int command : kRowMenu) {
    if (command == 0) {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(MenuText(command).section(QLatin1Char('\t'), 0, 0));
    SetCommandId(action, command);
    action->setEnabled(CanExecute(command));
    connect(action, &QAction::triggered, this, [this, command] { Q_EMIT commandRequested(command); });
  }
  menu.exec(global);
}

}  // namespace qorrin::gui

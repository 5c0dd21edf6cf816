#include "gui/views/ChannelImportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "core/edit/ChannelRow.h"
#include "core/edit/ChannelTableLayout.h"
#include "core/interchange/ImportApply.h"
#include "core/interchange/ImportReport.h"
#include "core/lang/ShellTexts.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/RecordFields.h"
#include "gui/app/GuiPrompts.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/DialogButtons.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

// Preview columns: the file's line, the seven columns of the channel table after its
// channel number, and the result.
constexpr int kLineColumn = 0;
constexpr int kChannelColumn = 1;
constexpr int kResultColumn = kChannelColumn + kChannelTableColumns;
constexpr int kPreviewColumns = kResultColumn + 1;

// A text of the language file; English where a language file does not carry it yet.
QString Text(const char* key, const char* english) { return Qt(LoadLangStringOr(key, english)); }

// Refused with the reason; or whether the row replaces a programmed channel, and what
// changed.
QString ResultText(const PlannedRow& row, const ImportTexts& texts, bool replaces) {
  if (row.IsRefused()) {
    return Text("IDS_CSV_PREVIEW_REFUSED", "refused: %1").replace(QStringLiteral("%1"), Qt(DescribeNote(*row.refusal, texts)));
  }
  const QString separator = Text("IDS_CSV_NOTE_SEPARATOR", "; ");
  QStringList parts;
  if (replaces) parts << Text("IDS_CSV_PREVIEW_REPLACES", "replaces a programmed channel");
  if (row.IsChanged()) {
    QStringList changes;
    for (const ImportNote& note : row.changes) changes << Qt(DescribeNote(note, texts));
    parts << Text("IDS_CSV_PREVIEW_CHANGED", "changed: %1").replace(QStringLiteral("%1"), changes.join(separator));
  }
  return parts.join(separator);
}

// The summary speaks of what OK will do.
ImportTexts PreviewTexts() {
  ImportTexts texts = LoadImportTexts();
  texts.strSummaryNone = LoadLangStringOr("IDS_CSV_PREVIEW_SUMMARY_NONE", "no row can be imported");
  texts.strSummaryOne = LoadLangStringOr("IDS_CSV_PREVIEW_SUMMARY_ONE", "1 row will be imported into channel %2");
  texts.strSummaryMany =
      LoadLangStringOr("IDS_CSV_PREVIEW_SUMMARY_MANY", "%1 rows will be imported into channels %2");
  return texts;
}

// Refused rows on a red tint of the table's background, changed rows on a yellow one,
// readable in light and dark colour schemes alike.
QBrush RowBackground(const PlannedRow& row, const QPalette& palette) {
  if (!row.IsRefused() && !row.IsChanged()) return {};
  const QColor base = palette.color(QPalette::Base);
  const QColor tint = row.IsRefused() ? QColor(230, 40, 40) : QColor(240, 200, 40);
  constexpr double kTint = 0.22;
  auto mix = [&](int b, int t) { return static_cast<int>(b * (1 - kTint) + t * kTint); };
  return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()), mix(base.blue(), tint.blue()));
}

// The cells a planned row shows in the columns of the channel table.
std::array<QString, kChannelTableColumns> ChannelCells(const PlannedRow& row, const ChannelCellTexts& texts,
                                                       NameColumnMode names) {
  std::array<QString, kChannelTableColumns> cells;
  if (row.nChannel >= kFirstChannel && row.nChannel <= kLastChannel) cells[kColChannel] = QString::number(row.nChannel);
  if (row.IsRefused()) return cells;
  const PlannedChannel& channel = row.channel;
  cells[kColRxFrequency] = Qt(channel.strReceive);
  cells[kColRxTone] = Qt(GetToneCellText(channel.nRxTone, texts));
  cells[kColTxFrequency] = Qt(channel.strTransmit);
  if (channel.Transmits()) cells[kColTxTone] = Qt(GetToneCellText(channel.nTxTone, texts));
  cells[kColBandwidth] = Qt(channel.bWide ? texts.strWide : texts.strNarrow);
  cells[kColPower] = Qt(channel.bHighPower ? texts.strHigh : texts.strLow);
  if (names == NameColumnMode::Shown) cells[kColName] = Qt(channel.strName);
  return cells;
}

}  // namespace

ChannelImportDlg::ChannelImportDlg(CQorrinDoc& doc, ChannelList list, const QString& fileName, int firstChannel,
                                   QWidget* parent)
    : QDialog(parent), m_doc(doc), m_list(std::move(list)), m_texts(PreviewTexts()) {
  SetControlId(this, dlg::kImportChannels);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* placement = new QGroupBox(QStringLiteral("放置方式"), this);
  SetControlId(placement, ctl::kImportPlacementGroup);
  m_asInFile = new QRadioButton(QStringLiteral("按文件中的 Location 列放置"), placement);
  SetControlId(m_asInFile, ctl::kImportAsInFile);
  m_fromChannel = new QRadioButton(QStringLiteral("从以下信道开始："), placement);
  SetControlId(m_fromChannel, ctl::kImportFromChannel);
  m_firstChannel = new QSpinBox(placement);
  SetControlId(m_firstChannel, ctl::kImportFirstChannel);
  m_firstChannel->setRange(kFirstChannel, kLastChannel);
  m_firstChannel->setValue(firstChannel >= kFirstChannel && firstChannel <= kLastChannel ? firstChannel : kFirstChannel);
  m_asInFile->setChecked(true);
  m_replace = new QCheckBox(QStringLiteral("替换全部信道（清除文件中未指定的信道）"), this);
  SetControlId(m_replace, ctl::kImportReplace);
  auto* powerLabel = new QLabel(QStringLiteral("列表未给出功率时(&P)："), this);
  SetControlId(powerLabel, ctl::kImportPowerLabel);
  m_power = new QComboBox(this);
  SetControlId(m_power, ctl::kImportPower);
  m_power->addItems({LangText("IDS_HIGH"), LangText("IDS_LOW")});
  powerLabel->setBuddy(m_power);

  m_preview = new QTableWidget(0, kPreviewColumns, this);
  SetControlId(m_preview, ctl::kImportPreview);
  m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_preview->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_preview->verticalHeader()->hide();
  m_preview->setWordWrap(false);
  m_summary = new QLabel(this);
  SetControlId(m_summary, ctl::kImportSummary);
  m_summary->setWordWrap(true);

  const DialogButtons buttons = MakeOkCancel(this);
  m_ok = buttons.ok;
  connect(buttons.box, &QDialogButtonBox::accepted, this, &ChannelImportDlg::accept);
  connect(buttons.box, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* from = new QHBoxLayout;
  from->addWidget(m_fromChannel);
  from->addWidget(m_firstChannel);
  from->addStretch(1);
  auto* placementLayout = new QVBoxLayout(placement);
  placementLayout->addWidget(m_asInFile);
  placementLayout->addLayout(from);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(placement);
  layout->addWidget(m_replace);
  auto* power = new QHBoxLayout;
  power->addWidget(powerLabel);
  power->addWidget(m_power);
  power->addStretch(1);
  layout->addLayout(power);
  layout->addWidget(m_preview, 1);
  layout->addWidget(m_summary);
  layout->addWidget(buttons.box);

  LocalizeDialog(this, dlg::kImportChannels);
  setWindowTitle(windowTitle() + QStringLiteral(" - ") + fileName);
  m_firstChannel->setAccessibleName(PlainText(m_fromChannel->text()));
  m_power->setAccessibleName(PlainText(powerLabel->text()));
  m_preview->setAccessibleName(Text("IDS_CSV_PREVIEW", "Rows of the file"));
  QStringList headings{Text("IDS_CSV_LINE_HEADING", "Line")};
  for (const std::string& heading : LoadChannelHeadings()) headings << Qt(heading);
  headings << Text("IDS_CSV_RESULT_HEADING", "Result");
  m_preview->setHorizontalHeaderLabels(headings);

  connect(m_asInFile, &QRadioButton::toggled, this, &ChannelImportDlg::Replan);
  connect(m_firstChannel, &QSpinBox::valueChanged, this, [this] {
    if (!m_fromChannel->isChecked()) m_fromChannel->setChecked(true);  // editing the number chooses it
    Replan();
  });
  connect(m_replace, &QCheckBox::toggled, this, &ChannelImportDlg::Replan);
  connect(m_power, &QComboBox::currentIndexChanged, this, &ChannelImportDlg::Replan);
  Replan();
  // Wide enough for the preview's columns and about a dozen rows, within the screen.
  const int width = m_preview->horizontalHeader()->length() + 2 * m_preview->frameWidth() + 40;
  QSize size(std::max(width, sizeHint().width()), sizeHint().height() + 12 * m_preview->verticalHeader()->defaultSectionSize());
  if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
  resize(size);
  // The result column takes what the other columns leave, in either language and at any
  // size of the dialog, so it never runs past the dialog's edge: a longer result ends in
  // "…" and is read in full in its tooltip.
  m_preview->horizontalHeader()->setSectionResizeMode(kResultColumn, QHeaderView::Stretch);
}

void ChannelImportDlg::Replan() {
  const PlacementOptions placement{m_fromChannel->isChecked(), m_firstChannel->value(), m_replace->isChecked(),
                                   m_power->currentIndex() == 0};
  m_plan = PlanChannelImport(m_list, m_doc.GetBandLimits(), ReadNameColumnMode(), placement);
  FillPreview();
  // What OK will do, then what was assumed for the whole list.
  QString summary = Qt(ImportSummary(m_plan, m_texts));
  for (const std::string& line : ImportAssumptionLines(m_plan, m_texts)) summary += QLatin1Char('\n') + Qt(line);
  m_summary->setText(summary);
  m_summary->setAccessibleName(summary);
  // Nothing to store: OK would only clear (with "replace") or do nothing.
  m_ok->setEnabled(m_plan.ImportedCount() > 0);
}

void ChannelImportDlg::FillPreview() {
  const ChannelCellTexts cellTexts = LoadChannelCellTexts();
  const NameColumnMode names = ReadNameColumnMode();
  m_preview->setRowCount(static_cast<int>(m_plan.rows.size()));
  for (int r = 0; r < static_cast<int>(m_plan.rows.size()); ++r) {
    const PlannedRow& row = m_plan.rows[static_cast<std::size_t>(r)];
    const std::array<QString, kChannelTableColumns> cells = ChannelCells(row, cellTexts, names);
    const QBrush background = RowBackground(row, m_preview->palette());
    auto set = [&](int column, const QString& text) {
      auto* item = new QTableWidgetItem(text);
      item->setBackground(background);
      m_preview->setItem(r, column, item);
    };
    set(kLineColumn, QString::number(row.nLine));
    for (int c = 0; c < kChannelTableColumns; ++c) set(kChannelColumn + c, cells[static_cast<std::size_t>(c)]);
    const bool replaces = !row.IsRefused() && !IsRecordEmpty(m_doc.Image(), row.nChannel);
    set(kResultColumn, ResultText(row, m_texts, replaces));
  }
  m_preview->resizeColumnsToContents();
  // The result column may be long; it is read in full in its tooltip and by screen readers.
  constexpr int kResultWidthInCharacters = 60;
  const int maxResult = m_preview->fontMetrics().averageCharWidth() * kResultWidthInCharacters;
  if (m_preview->columnWidth(kResultColumn) > maxResult) m_preview->setColumnWidth(kResultColumn, maxResult);
  for (int r = 0; r < m_preview->rowCount(); ++r) {
    if (QTableWidgetItem* result = m_preview->item(r, kResultColumn)) result->setToolTip(result->text());
  }
}

std::vector<int> ChannelImportDlg::OverwrittenChannels() const {
  std::vector<int> channels;
  const std::vector<int> imported = m_plan.ImportedChannels();
  for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
    if (IsRecordEmpty(m_doc.Image(), channel)) continue;
    if (m_plan.placement.bReplace || std::ranges::binary_search(imported, channel)) channels.push_back(channel);
  }
  return channels;
}

// Programmed channels are replaced (or, with "replace all", cleared) only after the
// same question a paste asks.
void ChannelImportDlg::accept() {
  if (m_plan.ImportedCount() == 0) return;
  if (const std::vector<int> overwritten = OverwrittenChannels(); !overwritten.empty()) {
    QString question = LangText("IDS_IMPORT_OVERWRITE");
    question.replace(QStringLiteral("%d"), QString::number(overwritten.size()));
    question.replace(QStringLiteral("%s"), Qt(ChannelRunsText(overwritten)));
    if (!AskOkCancel(this, windowTitle(), question)) return;
  }
  ApplyChannelImport(m_doc, m_plan);
  QDialog::accept();
}

}  // namespace qorrin::gui

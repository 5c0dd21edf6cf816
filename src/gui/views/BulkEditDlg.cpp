#include "gui/views/BulkEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/edit/ChannelCellLists.h"
#include "core/lang/LangText.h"
#include "core/model/FrequencyCodec.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/DialogButtons.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"
#include "gui/views/ComboFill.h"

namespace qorrin::gui {
namespace {

// Shift list items, in the order of the stored shift direction they stand for.
constexpr const char* kShiftKeys[] = {"IDS_BULK_SIMPLEX", "IDS_BULK_MINUS", "IDS_BULK_PLUS"};

QComboBox* NewList(QWidget* parent, const std::vector<std::string>& items) {
  auto* list = new QComboBox(parent);
  FillCombo(list, items, 0);
  return list;
}

}  // namespace

BulkEditDlg::BulkEditDlg(int channels, QWidget* parent) : QDialog(parent) {
  setWindowTitle(LangText("IDS_BULK_TITLE"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* count = new QLabel(Qt(LoadCountText("IDS_BULK_CHANNELS", channels)), this);

  const std::vector<std::string> tones = GetToneListItems();
  m_decode = NewList(this, tones);
  m_encode = NewList(this, tones);
  m_bandwidth = NewList(this, GetBandwidthItems());
  m_power = NewList(this, GetPowerItems());
  std::vector<std::string> shifts;
  for (const char* key : kShiftKeys) shifts.push_back(Std(LangText(key)));
  m_shift = NewList(this, shifts);
  m_offset = new QLineEdit(QStringLiteral("0.60000"), this);
  // Digits and one decimal point or comma, as in the frequency fields.
  m_offset->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}([.,][0-9]{0,5})?")), m_offset));

  const char* labels[kFieldCount] = {"IDS_BULK_DECODE", "IDS_BULK_ENCODE", "IDS_BULK_BANDWIDTH", "IDS_BULK_POWER",
                                     "IDS_BULK_SHIFT"};
  QWidget* values[kFieldCount] = {m_decode, m_encode, m_bandwidth, m_power, m_shift};
  auto* grid = new QGridLayout;
  for (int field = 0; field < kFieldCount; ++field) {
    auto* box = new QCheckBox(LangText(labels[field]), this);
    m_boxes[field] = box;
    values[field]->setAccessibleName(box->text());
    values[field]->setEnabled(false);
    grid->addWidget(box, field, 0);
    grid->addWidget(values[field], field, 1);
    connect(box, &QCheckBox::toggled, values[field], &QWidget::setEnabled);
  }
  auto* offsetLabel = new QLabel(LangText("IDS_BULK_OFFSET"), this);
  offsetLabel->setBuddy(m_offset);
  m_offset->setAccessibleName(offsetLabel->text());
  m_offset->setEnabled(false);
  grid->addWidget(offsetLabel, kFieldCount, 0, Qt::AlignRight);
  grid->addWidget(m_offset, kFieldCount, 1);
  // The offset counts for a shift up or down only.
  auto offsetUsed = [this] { m_offset->setEnabled(m_boxes[kShift]->isChecked() && m_shift->currentIndex() != 0); };
  connect(m_boxes[kShift], &QCheckBox::toggled, this, offsetUsed);
  connect(m_shift, &QComboBox::currentIndexChanged, this, offsetUsed);

  const DialogButtons buttons = MakeOkCancel(this);
  connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons.box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(count);
  layout->addLayout(grid);
  layout->addWidget(buttons.box);
  LocalizeDialog(this, 0);  // the OK and Cancel buttons

  // Tab goes along each row, the box and then its value (skipped while the box is clear),
  // then OK and Cancel; the dialog opens on the first box, its focus shown.
  QWidget* previous = nullptr;
  auto chain = [&previous](QWidget* next) {
    if (previous) setTabOrder(previous, next);
    previous = next;
  };
  for (int field = 0; field < kFieldCount; ++field) {
    chain(m_boxes[field]);
    chain(values[field]);
  }
  chain(m_offset);
  chain(buttons.ok);
  chain(buttons.cancel);
  m_boxes[kDecode]->setFocus(Qt::TabFocusReason);
}

BulkChange BulkEditDlg::Change() const {
  BulkChange change;
  if (m_boxes[kDecode]->isChecked()) change.decodeTone = m_decode->currentIndex();
  if (m_boxes[kEncode]->isChecked()) change.encodeTone = m_encode->currentIndex();
  if (m_boxes[kBandwidth]->isChecked()) change.bandwidth = m_bandwidth->currentIndex();
  if (m_boxes[kPower]->isChecked()) change.power = m_power->currentIndex();
  if (m_boxes[kShift]->isChecked()) {
    change.shift = m_shift->currentIndex();
    change.offset = ParseFrequencyText(WithDecimalPoint(Std(m_offset->text())));
  }
  return change;
}

}  // namespace qorrin::gui

#include "gui/views/CVfoPanel.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "core/edit/ChannelCellLists.h"
#include "core/edit/VfoPanel.h"
#include "core/model/CQorrinDoc.h"
#include "gui/grid/EditorFocus.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"
#include "gui/views/ComboFill.h"

namespace qorrin::gui {

namespace {

QLabel* NewLabel(QWidget* parent, int id, const char* builtIn) {
  auto* label = new QLabel(QString::fromUtf8(builtIn), parent);
  SetControlId(label, id);
  return label;
}

}  // namespace

CVfoPanel::CVfoPanel(CQorrinDoc& doc, int record, const VfoPanelIds& ids, QWidget* parent)
    : QGroupBox(QString::fromUtf8(record == kVfoARecord ? "VFO频率" : "UFO频率"), parent),
      m_doc(doc),
      m_record(record) {
  SetControlId(this, ids.group);
  auto* form = new QFormLayout(this);
  auto addRow = [&](QWidget* control, int labelId, const char* builtIn, int controlId) {
    SetControlId(control, controlId);
    QLabel* label = NewLabel(this, labelId, builtIn);
    label->setBuddy(control);
    form->addRow(label, control);
  };
  auto newList = [this] {
    auto* combo = new QComboBox(this);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
  };
  m_receive = new QLineEdit(this);
  m_transmit = new QLineEdit(this);
  for (QLineEdit* edit : {m_receive, m_transmit}) {
    edit->setMaxLength(static_cast<int>(kVfoEditMaxChars));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    edit->installEventFilter(this);
  }
  m_decode = newList();
  m_encode = newList();
  m_power = newList();
  m_bandwidth = newList();
  m_step = newList();
  addRow(m_receive, ids.receiveLabel, "接收频率", ids.receive);
  addRow(m_transmit, ids.transmitLabel, "发射频率", ids.transmit);
  addRow(m_decode, ids.decodeLabel, "CTC/DCS解码", ids.decode);
  addRow(m_encode, ids.encodeLabel, "CTC/DCS编码", ids.encode);
  addRow(m_power, ids.powerLabel, "功率", ids.power);
  addRow(m_bandwidth, ids.bandwidthLabel, "宽/窄", ids.bandwidth);
  addRow(m_step, ids.stepLabel, "步进", ids.step);

  connect(m_decode, &QComboBox::activated, this, [this](int i) { CommitVfoTone(m_doc, m_record, true, i); });
  connect(m_encode, &QComboBox::activated, this, [this](int i) { CommitVfoTone(m_doc, m_record, false, i); });
  connect(m_power, &QComboBox::activated, this, [this](int i) { CommitVfoPower(m_doc, m_record, i); });
  connect(m_bandwidth, &QComboBox::activated, this, [this](int i) { CommitVfoBandwidth(m_doc, m_record, i); });
  connect(m_step, &QComboBox::activated, this, [this](int i) { CommitVfoStep(m_doc, m_record, i); });
}

void CVfoPanel::Fill() {
  const VfoPanelState state = GetVfoPanelState(m_doc, m_record);
  const std::vector<std::string> tones = GetToneListItems();
  FillCombo(m_decode, tones, state.nReceiveTone);
  FillCombo(m_encode, tones, state.nTransmitTone);
  FillCombo(m_power, GetPowerItems(), state.nPower);
  FillCombo(m_bandwidth, GetBandwidthItems(), state.nBandwidth);
  FillCombo(m_step, state.step.items, state.step.nSelected);
  ShowTexts(state.texts.strReceive, state.texts.strTransmit);
  ShowUse();
}

// A VFO that the frequency range does not use is shown greyed, with the ranges that do use
// it as its tooltip, instead of taking entries it could not keep.
void CVfoPanel::ShowUse() {
  const bool used = IsVfoInUse(m_doc, m_record);
  QString note;
  if (!used) {
    QStringList ranges;
    for (const std::string& range : RangesUsingVfo(m_record)) ranges << Qt(range);
    note = LangText("IDS_VFO_UNUSED").replace(QStringLiteral("%s"), ranges.join(QStringLiteral(", ")));
  }
  setEnabled(used);
  setToolTip(note);
  setAccessibleDescription(note);
}

void CVfoPanel::ShowTexts(const std::string& receive, const std::string& transmit) {
  m_receive->setText(Qt(receive));
  m_transmit->setText(Qt(transmit));
}

void CVfoPanel::CommitEdit(QLineEdit* edit) {
  const VfoTexts shown{Std(m_receive->text()), Std(m_transmit->text())};
  const VfoCommitResult result =
      CommitVfoEdit(m_doc, m_record, edit == m_receive ? VfoEdit::Receive : VfoEdit::Transmit, shown);
  if (result.bStored) ShowTexts(result.texts.strReceive, result.texts.strTransmit);
}

void CVfoPanel::CommitFocusedEdit() {
  if (m_receive->hasFocus()) CommitEdit(m_receive);
  if (m_transmit->hasFocus()) CommitEdit(m_transmit);
}

// Leaving an edit stores it; so does Enter, which keeps the focus where it is.
bool CVfoPanel::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit && (edit == m_receive || edit == m_transmit)) {
    if (event->type() == QEvent::FocusOut && !IsPopupFocusChange(static_cast<QFocusEvent*>(event))) {
      CommitEdit(edit);
    } else if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) CommitEdit(edit);
      // A decimal comma is the point; with a point in the text already it is dropped.
      if (key->text() == QStringLiteral(",")) {
        if (!edit->text().contains(QLatin1Char('.'))) edit->insert(QStringLiteral("."));
        return true;
      }
    }
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace qorrin::gui

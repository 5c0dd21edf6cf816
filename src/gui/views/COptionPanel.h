#pragma once
// The option panel of the main form: the model group (frequency range), the scan group
// (scan mode, priority scan, priority channel) and the optional features (squelch, VOX,
// transmit time limit, channel flag, busy lock-out, key beep, channel display, power
// save, back light). Every change is stored at once through the main-form rules of the
// core; a fill shows the image again and stores nothing (but the priority channel's
// silent reset).
#include <QWidget>

#include <array>

#include "core/edit/OptionPanel.h"

class QCheckBox;
class QFormLayout;
class QComboBox;
class QLineEdit;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class COptionPanel : public QWidget {
  Q_OBJECT
 public:
  COptionPanel(CQorrinDoc& doc, QWidget* parent);

  // Shows the image in every control (a view update).
  void Fill();
  // The programmed channels may have changed: the priority-channel list again.
  void FillPriorityChannels();

  QComboBox* RangeList() const { return m_range; }
  // The control of an option field: a list or a check box (null for the other kind).
  QComboBox* OptionCombo(OptionField field) const;
  QCheckBox* OptionBox(OptionField field) const;
  QComboBox* PriorityList() const { return m_priority; }

 private:
  void OnRangePicked(int index);
  QWidget* BuildModelGroup();
  QWidget* BuildScanGroup();
  QWidget* BuildOptionGroup();
  // Adds the field's control (and label) to a group's form and connects it.
  void AddField(QFormLayout* form, QWidget* group, OptionField field);

  CQorrinDoc& m_doc;
  QComboBox* m_range = nullptr;
  QLineEdit* m_channels = nullptr;
  QComboBox* m_priority = nullptr;
  std::array<QWidget*, kOptionFields.size()> m_fields{};  // by OptionField
};

}  // namespace qorrin::gui

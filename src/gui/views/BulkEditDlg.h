#pragma once
// "Set for Selected Channels": one check box per field (decode tone, encode tone,
// bandwidth, power, shift with its offset), each with the control for its value; only the
// ticked fields change. The dialog only gathers the choice; the core's bulk rule stores it.
#include <QDialog>

#include "core/edit/BulkEdit.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qorrin::gui {

class BulkEditDlg : public QDialog {
  Q_OBJECT
 public:
  // `channels`: how many channels the change is for, shown in the dialog.
  BulkEditDlg(int channels, QWidget* parent = nullptr);

  // What the ticked boxes ask for (nothing when none is ticked).
  BulkChange Change() const;

  QCheckBox* Box(int field) const { return m_boxes[field]; }
  QComboBox* DecodeList() const { return m_decode; }
  QComboBox* EncodeList() const { return m_encode; }
  QComboBox* BandwidthList() const { return m_bandwidth; }
  QComboBox* PowerList() const { return m_power; }
  QComboBox* ShiftList() const { return m_shift; }
  QLineEdit* OffsetEdit() const { return m_offset; }

  enum Field { kDecode, kEncode, kBandwidth, kPower, kShift, kFieldCount };

 private:
  QCheckBox* m_boxes[kFieldCount] = {};
  QComboBox* m_decode = nullptr;
  QComboBox* m_encode = nullptr;
  QComboBox* m_bandwidth = nullptr;
  QComboBox* m_power = nullptr;
  QComboBox* m_shift = nullptr;
  QLineEdit* m_offset = nullptr;
};

}  // namespace qorrin::gui

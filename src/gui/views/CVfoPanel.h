#pragma once
// One VFO panel of the main form (the class is used twice: VFO A on record 122, VFO B on
// record 121): receive and transmit frequency edits, decode and encode tone, power,
// bandwidth and step. The drop-downs store every pick at once; an edit stores when it
// loses the focus (or on Enter), by the VFO rules of the core, and both edits then show
// what was stored.
#include <QGroupBox>

#include "core/lang/ResourceIds.h"

class QComboBox;
class QLineEdit;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class CVfoPanel : public QGroupBox {
  Q_OBJECT
 public:
  // `ids` are ctl::kVfoA (record 122) or ctl::kVfoB (record 121).
  CVfoPanel(CQorrinDoc& doc, int record, const VfoPanelIds& ids, QWidget* parent);

  // Shows the record in every control (a view update).
  void Fill();
  // Stores what a frequency edit holds while it has the focus (before a command reads the
  // document); nothing when neither edit has it.
  void CommitFocusedEdit();

  QLineEdit* ReceiveEdit() const { return m_receive; }
  QLineEdit* TransmitEdit() const { return m_transmit; }
  QComboBox* DecodeList() const { return m_decode; }
  QComboBox* EncodeList() const { return m_encode; }
  QComboBox* PowerList() const { return m_power; }
  QComboBox* BandwidthList() const { return m_bandwidth; }
  QComboBox* StepList() const { return m_step; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CommitEdit(QLineEdit* edit);
  void ShowTexts(const std::string& receive, const std::string& transmit);
  void ShowUse();

  CQorrinDoc& m_doc;
  int m_record;
  QLineEdit* m_receive = nullptr;
  QLineEdit* m_transmit = nullptr;
  QComboBox* m_decode = nullptr;
  QComboBox* m_encode = nullptr;
  QComboBox* m_power = nullptr;
  QComboBox* m_bandwidth = nullptr;
  QComboBox* m_step = nullptr;
};

}  // namespace qorrin::gui

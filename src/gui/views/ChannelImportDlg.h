#pragma once
// The preview of a channel-list import: every row of the file as it will land (channel,
// receive, decode, transmit, encode, bandwidth, power, name), refused rows marked with
// their reason and changed rows with what changed, and the choices that shape it: the
// rows placed as the file's Location column says or from a chosen channel on, and
// whether all channels are cleared first, and the power of rows the list gives none. Rows
// that land on a programmed channel say so, and OK asks before any programmed channel is
// replaced. Nothing is stored until then; OK applies the whole import at once.
#include <QDialog>

#include <vector>

#include "core/interchange/ChannelListReader.h"
#include "core/interchange/ImportPlan.h"
#include "core/interchange/ImportTexts.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class ChannelImportDlg : public QDialog {
  Q_OBJECT
 public:
  // `fileName` names the file in the title; `firstChannel` is offered for "from channel".
  ChannelImportDlg(CQorrinDoc& doc, ChannelList list, const QString& fileName, int firstChannel,
                   QWidget* parent);

  const ImportPlan& Plan() const { return m_plan; }
  QTableWidget* Preview() const { return m_preview; }

  void accept() override;

 private:
  void Replan();
  void FillPreview();
  // Programmed channels that OK would replace or clear.
  std::vector<int> OverwrittenChannels() const;

  CQorrinDoc& m_doc;
  ChannelList m_list;
  ImportPlan m_plan;
  ImportTexts m_texts;
  QRadioButton* m_asInFile = nullptr;
  QRadioButton* m_fromChannel = nullptr;
  QSpinBox* m_firstChannel = nullptr;
  QCheckBox* m_replace = nullptr;
  QComboBox* m_power = nullptr;
  QTableWidget* m_preview = nullptr;
  QLabel* m_summary = nullptr;
  QPushButton* m_ok = nullptr;
};

}  // namespace qorrin::gui

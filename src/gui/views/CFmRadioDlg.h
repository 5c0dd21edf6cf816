#pragma once
// The FM broadcast receiver's presets: the current frequency in a drop-down and the 15
// presets in a two-column grid (over the presets model) edited with a drop-down cell
// editor (FmPresetDelegate.h). Every pick is stored in the document at once; OK and
// Cancel only close the dialog.
#include <QDialog>

class QComboBox;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class CGridCtrl;
class FmPresetsModel;

class CFmRadioDlg : public QDialog {
  Q_OBJECT
 public:
  CFmRadioDlg(CQorrinDoc& doc, QWidget* parent);

  QComboBox* CurrentList() const { return m_comboCurrent; }
  CGridCtrl* Grid() const { return m_grid; }

 private:
  void SetupGrid();

  CQorrinDoc& m_doc;
  FmPresetsModel* m_model = nullptr;
  QComboBox* m_comboCurrent = nullptr;
  CGridCtrl* m_grid = nullptr;
};

}  // namespace qorrin::gui

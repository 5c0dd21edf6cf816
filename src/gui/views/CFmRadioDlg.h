#pragma once
// The FM broadcast receiver's presets: the current frequency in a drop-down and the 15
// presets in a two-column grid (over the presets model) edited with a drop-down cell
// editor. Every pick is stored in the document at once; OK and Cancel only close the
// dialog.
#include <QDialog>

class QComboBox;

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class CCellCombo;
class CGridCtrl;
class FmPresetsModel;

class CFmRadioDlg : public QDialog {
  Q_OBJECT
 public:
  CFmRadioDlg(CQorrinDoc& doc, QWidget* parent);

  QComboBox* CurrentList() const { return m_comboCurrent; }
  CGridCtrl* Grid() const { return m_grid; }
  CCellCombo* CellEditor() const { return m_cellCombo; }

 private:
  void SetupGrid();
  void OnBeginEdit(int row, int column, const QString& text, const QRect& rect);
  void CommitPreset();

  CQorrinDoc& m_doc;
  FmPresetsModel* m_model = nullptr;
  QComboBox* m_comboCurrent = nullptr;
  CGridCtrl* m_grid = nullptr;
  CCellCombo* m_cellCombo = nullptr;
  int m_nRow = 0;
};

}  // namespace qorrin::gui

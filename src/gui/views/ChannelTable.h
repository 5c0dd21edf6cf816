#pragma once
// The channel table of the main form: the grid over the channel-table model, and the five
// editors placed over its cells. What the cells show and what an edit stores are the
// model's (that is, the core's channel-table rules); this class opens the editor that
// fits a cell and hands what the user typed or picked to the model.
#include <QObject>
#include <QString>

#include <string>
#include <vector>

namespace qorrin::gui {

class CCellCombo;
class CCellEdit;
class CGridCtrl;
class CNameCellEdit;
class ChannelTableModel;
class DocumentBinding;

class ChannelTable : public QObject {
  Q_OBJECT
 public:
  // The grid is created as a child of `parent`; the editors live on the grid's viewport.
  ChannelTable(DocumentBinding& binding, QWidget* parent);

  CGridCtrl* Grid() const { return m_grid; }

  // Shows the whole table anew (a view update): closes any open editor without storing
  // it, reads the language's texts and the name setting again.
  void Build();
  // Stores what an open editor holds, as if it had lost the focus; nothing when none is
  // open. Commands that read the document call it first, so no typed text is left out.
  void CommitOpenEditor();

 Q_SIGNALS:
  // A frequency commit may have programmed or cleared a channel: the priority-channel
  // list must be built again.
  void channelsChanged();

 private:
  void SetupGrid();
  void HideEditors();
  void OnBeginEdit(int row, int column, const QString& text, const QRect& rect);
  void Store(const QVariant& value);
  void CommitFrequency();
  void CommitTone(CCellCombo* editor);
  void CloseList();
  void CommitName();
  void FillToneLists();
  void UpdateNames();
  QString Heading(int column) const;

  ChannelTableModel* m_model = nullptr;
  CGridCtrl* m_grid = nullptr;
  CCellEdit* m_frequencyEdit = nullptr;  // receive and transmit frequency
  CCellCombo* m_rxToneCombo = nullptr;
  CCellCombo* m_txToneCombo = nullptr;
  CCellCombo* m_listCombo = nullptr;     // bandwidth and power
  CNameCellEdit* m_nameEdit = nullptr;
  int m_editRow = 0;
  int m_editColumn = 0;
  std::vector<std::string> m_toneItems;  // what the tone editors hold
};

}  // namespace qorrin::gui

#pragma once
// The channel table of the main form: the grid with one row per channel and the five
// editors placed over its cells. What the cells show and what an edit stores come from the
// channel-table rules of the core; this class only turns grid and editor events into those
// calls and shows the rows they give back.
#include <QObject>
#include <QString>

#include <array>

#include <string>
#include <vector>

#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelRow.h"

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class CCellCombo;
class CCellEdit;
class CGridCtrl;
class CNameCellEdit;

class ChannelTable : public QObject {
  Q_OBJECT
 public:
  // The grid is created as a child of `parent`; the editors live on the grid's viewport.
  ChannelTable(CQorrinDoc& doc, QWidget* parent);

  CGridCtrl* Grid() const { return m_grid; }

  // Builds the whole table from the document (a view update): closes any open editor
  // without storing it, fills the headings and every row.
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
  void ShowRow(const ChannelRow& row);
  void HideEditors();
  void OnBeginEdit(int row, int column, const QString& text, const QRect& rect);
  void CommitFrequency();
  void CommitTone(CCellCombo* editor, int column);
  void CommitList(int index);
  void CloseList();
  void CommitName();
  void AfterCommit(const ChannelCommitResult& result);
  void FillToneLists();
  void UpdateNames(const std::array<std::string, kChannelTableColumns>& headings);

  CQorrinDoc& m_doc;
  CGridCtrl* m_grid = nullptr;
  CCellEdit* m_frequencyEdit = nullptr;  // receive and transmit frequency
  CCellCombo* m_rxToneCombo = nullptr;
  CCellCombo* m_txToneCombo = nullptr;
  CCellCombo* m_listCombo = nullptr;     // bandwidth and power
  CNameCellEdit* m_nameEdit = nullptr;
  int m_editRow = 0;
  int m_editColumn = 0;
  std::vector<std::string> m_toneItems;  // what the tone editors hold
  std::array<QString, kChannelTableColumns> m_headings;
};

}  // namespace qorrin::gui

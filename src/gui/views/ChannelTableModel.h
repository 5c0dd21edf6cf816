#pragma once
// The channel table as an item model over the document. Item (r, c) is data column c + 1
// (ChannelTableLayout.h) of channel r + 1; the vertical header gives the channel numbers,
// the horizontal header the column headings, kHeadingTitleRole the heading of the number
// column. Every text is asked of the core's channel rows when a view asks for it, so
// nothing of a cell is kept here; which cells may be edited is the core's too (flags(),
// and grey text for the others). Qt::EditRole is what an editor opens with: the text of a
// frequency or name cell, the item of its list for a tone, bandwidth or power cell. An
// edit (setData) is the core's commit of that cell.
//
// Refreshing: Reload() is the full refresh of a view update: the language's texts and the
// name setting are looked up again, showing the table keeps the name-present bits (the
// core's bookkeeping), and every item and heading is announced changed. Any other edit of
// the document's contents (another view, a change of many channels at once) announces
// every item changed, once; the view repaints what it shows. A commit through setData
// writes one channel's record and announces that row. Rows never come or go: the radio
// has 99 channel slots.
#include <QAbstractTableModel>

#include <array>

#include "core/edit/ChannelRow.h"
#include "core/edit/ChannelTableLayout.h"
#include "core/edit/NameColumnSetting.h"

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class DocumentBinding;

class ChannelTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ChannelTableModel(DocumentBinding& binding, QObject* parent = nullptr);

  void Reload();

  // The item of a grid cell (row r, column c of the table) and back.
  QModelIndex CellIndex(int row, int column) const { return index(row - 1, column - 1); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Qt::EditRole: the typed text (QString) for the frequency and name columns, the picked
  // item (int, -1 for none) for the tone, bandwidth and power columns. True when the core
  // stored it.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 Q_SIGNALS:
  // A commit may have programmed or cleared a channel (the core says when): lists of the
  // programmed channels must be built again.
  void channelsChanged();

 private:
  void LoadTexts();
  void AllItemsChanged();
  bool IsEditable(const QModelIndex& index) const;

  CQorrinDoc& m_doc;
  NameColumnMode m_mode = NameColumnMode::Shown;
  ChannelCellTexts m_texts;
  std::array<QString, kChannelTableColumns> m_headings;
  bool m_bCommitting = false;  // inside setData: the row it stores is announced afterwards
};

}  // namespace qorrin::gui

#include "gui/views/ChannelTableModel.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/edit/ChannelCellLists.h"
#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "gui/app/DocumentBinding.h"
#include "gui/grid/GridRoles.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

int ChannelOf(const QModelIndex& index) { return index.row() + kFirstChannel; }
int ColumnOf(const QModelIndex& index) { return index.column() + kColRxFrequency; }

bool IsListColumn(int column) {
  return column == kColRxTone || column == kColTxTone || column == kColBandwidth || column == kColPower;
}

}  // namespace

ChannelTableModel::ChannelTableModel(DocumentBinding& binding, QObject* parent)
    : QAbstractTableModel(parent), m_doc(binding.Document()) {
  LoadTexts();
  connect(&binding, &DocumentBinding::contentsChanged, this, [this] {
    if (!m_bCommitting) AllItemsChanged();
  });
}

void ChannelTableModel::LoadTexts() {
  m_mode = ReadNameColumnMode();
  m_texts = LoadChannelCellTexts();
  const std::array<std::string, kChannelTableColumns> headings = LoadChannelHeadings();
  for (std::size_t column = 0; column < headings.size(); ++column) m_headings[column] = Qt(headings[column]);
}

void ChannelTableModel::Reload() {
  LoadTexts();
  BuildChannelTable(m_doc);  // the bookkeeping of a shown table; its rows are asked for again
  AllItemsChanged();
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void ChannelTableModel::AllItemsChanged() {
  Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kChannelCount; }

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kChannelTableColumns - 1;
}

bool ChannelTableModel::IsEditable(const QModelIndex& index) const {
  return IsChannelCellEditable(m_doc, ChannelOf(index), ColumnOf(index), m_mode);
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  switch (role) {
    case Qt::EditRole:
      if (IsListColumn(ColumnOf(index))) return GetChannelCellChoice(m_doc, ChannelOf(index), ColumnOf(index));
      [[fallthrough]];
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return Qt(GetChannelRow(m_doc, ChannelOf(index), m_mode, m_texts).Text(ColumnOf(index)));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::ForegroundRole:
      // Cells that cannot be edited read as such: grey text.
      if (IsEditable(index)) return {};
      return QGuiApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    case Qt::BackgroundRole:
      // Names off: the name column looks like part of the frame, not a field.
      if (ColumnOf(index) != kColName || m_mode != NameColumnMode::Off) return {};
      return QGuiApplication::palette().color(QPalette::Button);
    default:
      return {};
  }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical && role == kHeadingTitleRole) return m_headings[kColChannel];
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  if (orientation == Qt::Vertical) {
    return section >= 0 && section < kChannelCount ? QVariant(QString::number(section + kFirstChannel)) : QVariant();
  }
  const int column = section + kColRxFrequency;
  return column >= kColRxFrequency && column < kChannelTableColumns
             ? QVariant(m_headings[static_cast<std::size_t>(column)])
             : QVariant();
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | (IsEditable(index) ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
  const int channel = ChannelOf(index), column = ColumnOf(index);
  // A commit writes its own channel's record and nothing else: that row is announced
  // changed, not every item (a repaint of the whole table on every commit).
  m_bCommitting = true;
  const ChannelCommitResult result = IsListColumn(column)
                                         ? CommitChannelChoice(m_doc, channel, column, value.toInt())
                                         : CommitChannelText(m_doc, channel, column, Std(value.toString()));
  m_bCommitting = false;
  if (result.bStored) Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  if (result.bRebuildPriorityList) Q_EMIT channelsChanged();
  return result.bStored;
}

}  // namespace qorrin::gui

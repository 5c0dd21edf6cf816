#include "gui/views/FmPresetsModel.h"

#include "core/model/CQorrinDoc.h"
#include "gui/app/DocumentBinding.h"
#include "gui/grid/GridRoles.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {

FmPresetsModel::FmPresetsModel(DocumentBinding& binding, QObject* parent)
    : QAbstractTableModel(parent), m_doc(binding.Document()) {
  LoadTitles();
  connect(&binding, &DocumentBinding::contentsChanged, this, &FmPresetsModel::AllItemsChanged);
  connect(&binding, &DocumentBinding::documentChanged, this, &FmPresetsModel::Reload);
}

void FmPresetsModel::LoadTitles() {
  const std::array<std::string, kFmGridColumns> titles = LoadFmPresetHeadings();
  for (std::size_t column = 0; column < titles.size(); ++column) m_titles[column] = Qt(titles[column]);
}

void FmPresetsModel::Reload() {
  LoadTitles();
  AllItemsChanged();
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void FmPresetsModel::AllItemsChanged() {
  Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int FmPresetsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kFmPresetCount; }
int FmPresetsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kFmGridColumns - 1; }

QVariant FmPresetsModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return Qt(GetFmPresetText(m_doc, index.row() + 1));
    case Qt::EditRole:
      return GetFmPresetIndex(m_doc, index.row() + 1);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default:
      return {};
  }
}

QVariant FmPresetsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical && role == kHeadingTitleRole) return m_titles[0];
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  if (orientation == Qt::Vertical) {
    return section >= 0 && section < kFmPresetCount ? QVariant(QString::number(section + 1)) : QVariant();
  }
  return section == 0 ? QVariant(m_titles[1]) : QVariant();
}

Qt::ItemFlags FmPresetsModel::flags(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool FmPresetsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
  // The bytes reach the views through the document's contents notification.
  return CommitFmPreset(m_doc, index.row() + 1, value.toInt()).bStored;
}

}  // namespace qorrin::gui

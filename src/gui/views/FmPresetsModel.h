#pragma once
// The FM presets as an item model over the document: item (p - 1, 0) is preset p's
// frequency as the FM list writes it, the vertical header gives the preset numbers, the
// horizontal header and kHeadingTitleRole the column titles of the language file. Texts
// are asked of the core when a view asks for them; Qt::EditRole is the preset's item of
// the FM list, and an edit (setData with the picked item) is the core's commit of the
// preset. Every edit of the document's contents
// announces every item changed; Reload(), the full refresh, also reads the titles again.
#include <QAbstractTableModel>

#include <array>

#include "core/edit/FmPresets.h"

namespace qorrin {
class CQorrinDoc;
}

namespace qorrin::gui {

class DocumentBinding;

class FmPresetsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit FmPresetsModel(DocumentBinding& binding, QObject* parent = nullptr);

  void Reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Qt::EditRole: the picked item of the FM list (int). True when the core stored it.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  void LoadTitles();
  void AllItemsChanged();

  CQorrinDoc& m_doc;
  std::array<QString, kFmGridColumns> m_titles;
};

}  // namespace qorrin::gui

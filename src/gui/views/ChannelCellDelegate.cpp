#include "gui/views/ChannelCellDelegate.h"

#include "core/edit/ChannelCellLists.h"
#include "core/edit/ChannelTableLayout.h"
#include "gui/lang/ControlIds.h"
#include "gui/views/CCellCombo.h"
#include "gui/views/CellLineEdit.h"
#include "gui/views/ComboFill.h"

namespace qorrin::gui {
namespace {

int ColumnOf(const QModelIndex& index) { return index.column() + kColRxFrequency; }

bool StoresEveryPick(int column) { return column == kColBandwidth || column == kColPower; }

}  // namespace

QWidget* ChannelCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const {
  const int column = ColumnOf(index);
  QWidget* editor = nullptr;
  switch (column) {
    case kColRxFrequency:
    case kColTxFrequency:
      editor = new CCellEdit(parent);
      SetControlId(editor, ctl::kFrequencyEditor);
      break;
    case kColName:
      editor = new CNameCellEdit(parent);
      SetControlId(editor, ctl::kNameEditor);
      break;
    case kColRxTone:
    case kColTxTone:
    case kColBandwidth:
    case kColPower:
      editor = CreateList(parent, column);
      break;
    default:
      return nullptr;
  }
  // Screen readers announce an editor by its column's heading.
  editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
  return editor;
}

CCellCombo* ChannelCellDelegate::CreateList(QWidget* parent, int column) const {
  auto* list = new CCellCombo(ItemTexts(GetChannelCellItems(column)), parent);
  if (StoresEveryPick(column)) {
    SetControlId(list, ctl::kListEditor);
    auto* self = const_cast<ChannelCellDelegate*>(this);  // Qt's delegate interface is const
    const auto store = [self, list] { Q_EMIT self->commitData(list); };
    connect(list, &QComboBox::activated, this, store);
    connect(list, &CCellCombo::restored, this, store);
  } else {
    SetControlId(list, column == kColRxTone ? ctl::kRxToneEditor : ctl::kTxToneEditor);
    connect(list, &QComboBox::activated, list, &CCellCombo::GiveFocusBack);
  }
  return list;
}

// Bandwidth and power store only a choice not stored yet; everything else is stored when
// it is left, whatever it holds.
void ChannelCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  auto* list = qobject_cast<CCellCombo*>(editor);
  const bool choice = list != nullptr && list->TakeChoice();
  if (list == nullptr || choice || !StoresEveryPick(ColumnOf(index))) {
    CellEditingDelegate::setModelData(editor, model, index);
  }
}

}  // namespace qorrin::gui

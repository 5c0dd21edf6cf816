#include "gui/views/FmPresetDelegate.h"

#include "core/edit/FmPresets.h"
#include "gui/lang/ControlIds.h"
#include "gui/views/CCellCombo.h"
#include "gui/views/ComboFill.h"

namespace qorrin::gui {
namespace {

constexpr int kVisibleItems = 16;

}  // namespace

QWidget* FmPresetDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  auto* list = new CCellCombo(ItemTexts(GetFmFrequencyItems()), parent);
  list->setMaxVisibleItems(kVisibleItems);
  SetControlId(list, ctl::kFmCellEditor);
  list->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
  connect(list, &QComboBox::activated, list, &CCellCombo::GiveFocusBack);
  return list;
}

}  // namespace qorrin::gui

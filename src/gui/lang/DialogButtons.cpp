#include "gui/lang/DialogButtons.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include "gui/lang/ControlIds.h"

namespace qorrin::gui {

DialogButtons MakeOkCancel(QWidget* parent) {
  auto* box = new QDialogButtonBox(parent);
  QPushButton* ok = box->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = box->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  SetControlId(ok, ctl::kOk);
  SetControlId(cancel, ctl::kCancel);
  ok->setDefault(true);
  return {box, ok, cancel};
}

}  // namespace qorrin::gui
